// Reading numbers from a form's edit fields with the program's one error message.
#pragma once

#include <cstdint>

#include "forms/form.h"
#include "ledger/price_tick.h"

namespace tallivan {

// Parses the field as money: on success the value is rounded to the cent, the field shows it in
// the general decimal form and the result is 0. On failure the invalid-value message is shown,
// the field shows the unchanged value again, asks for the focus and the result is -1.
int readMoneyField(Form& form, Field& field, double& value);

// The same for a price, rounded to its tick: the cent, or the milli-yuan.
int readPriceField(Form& form, Field& field, double& value, PriceTick tick);

// The same for a rate in percent, rounded to four decimals instead of the cent.
int readRateField(Form& form, Field& field, double& value);

// The same for a 32-bit integer; on success the field's text is left as typed.
int readIntField(Form& form, Field& field, std::int32_t& value);

}  // namespace tallivan
