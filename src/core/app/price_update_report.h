// What a price update did for each holding, and the one message that tells a person.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "market/price_reader.h"

namespace tallivan {

struct PriceUpdateLine {
    std::string code;       // GBK
    std::string price;      // the 现价 text the row shows after the update; empty when none
    std::int32_t date = 0;  // YYYYMMDD of the close taken, 0 when the source gives none
    PriceMiss miss = PriceMiss::None;
};

// Why a holding got no price, in GBK.
std::string priceMissText(PriceMiss miss);

// "YYYY-MM-DD" of a YYYYMMDD key, empty for 0.
std::string priceDateText(std::int32_t date);

// How many holdings got a price and the date of the newest close, which did not and why,
// and which took a close older than the newest one.
std::string priceUpdateSummary(const std::vector<PriceUpdateLine>& lines);

}  // namespace tallivan
