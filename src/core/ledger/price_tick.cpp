#include "ledger/price_tick.h"

#include "base/numbers.h"

namespace tallivan {

PriceTick priceTickOfCategory(const CategoryTable& table, int category) {
    if (category < 0 || category >= kCategoryCount)
        return PriceTick::Cent;
    return table[static_cast<std::size_t>(category)].feeRules & kPriceInMilli ? PriceTick::Milli
                                                                              : PriceTick::Cent;
}

PriceTick priceTickOf(const Settings& settings, std::string_view code) {
    return priceTickOfCategory(settings.categories, categoryOfCode(settings, code));
}

double roundToTick(double price, PriceTick tick) {
    return tick == PriceTick::Milli ? roundToMilli(price) : roundToCent(price);
}

std::string tickText(double price, PriceTick tick) {
    return tick == PriceTick::Milli ? fixed3(price) : fixed2(price);
}

}  // namespace tallivan
