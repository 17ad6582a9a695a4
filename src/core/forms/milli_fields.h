// Money fields whose value is stored as milli-yuan in a file field of fixed width: a number
// the field cannot hold is refused when the edit is left, never cut to its low bits.
#pragma once

#include "forms/form.h"
#include "ledger/price_tick.h"

namespace tallivan {

enum class MilliWidth { Bits32, Bits64 };

// Whether `yuan` in milli-yuan fits a signed field of `width`. The range is kept symmetric
// (±2 147 483.647 yuan for 32 bits) so that a negated amount fits as well.
bool fitsMilli(double yuan, MilliWidth width);

// readMoneyField (or, for a price, readPriceField to `tick`), then the width check: a number that
// does not fit gets the invalid-value message with the text as typed, the field shows the unchanged
// value again and asks for the focus, and the result is -1.
int readMilliField(Form& form, Field& field, double& value, MilliWidth width,
                   PriceTick tick = PriceTick::Cent);

}  // namespace tallivan
