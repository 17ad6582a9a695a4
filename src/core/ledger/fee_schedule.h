// Today's A-share fee schedule as one set of category rows.
#pragma once

#include "storage/settings.h"

namespace tallivan {

// Replaces all 20 category rows by today's schedule (现行费率): six-digit codes of the
// Shanghai, Shenzhen, ChiNext, STAR and Beijing boards with commission 0.025 % (at least 5
// yuan), stamp tax 0.05 % on sales only and a transfer fee of 0.001 % of the amount; funds and
// bonds with the commission only; no order fee. The rest of the settings stays as it is.
void applyCurrentFeeSchedule(Settings& settings);

}  // namespace tallivan
