// The step in which an instrument's price moves: the cent for shares, the milli-yuan for the
// funds, ETFs, bonds and repos of a category row whose kPriceInMilli flag is set. Every
// dialog, row and price search asks here, so a row without the flag keeps the cent throughout.
#pragma once

#include <string>
#include <string_view>

#include "storage/settings.h"

namespace tallivan {

enum class PriceTick { Cent, Milli };

// The tick of category row `category` (-1 or out of range: the cent).
PriceTick priceTickOfCategory(const CategoryTable& table, int category);

// The tick of a code by its category row.
PriceTick priceTickOf(const Settings& settings, std::string_view code);

// A price rounded to its tick: roundToCent, or to the nearest milli-yuan.
double roundToTick(double price, PriceTick tick);

// The price as the dialogs show it: fixed2, or fixed3 for the milli-yuan tick.
std::string tickText(double price, PriceTick tick);

}  // namespace tallivan
