#include "forms/number_fields.h"

#include <string>

#include "base/numbers.h"

namespace tallivan {

namespace {

int readDecimalField(Form& form, Field& field, double& value, double (*round)(double)) {
    if (const auto parsed = parseMoney(field.text)) {
        value = round(*parsed);
        field.text = generalForm(value);
        return 0;
    }
    showError(form.ui(), invalidValueMessage(field.text));
    form.refuseEntry();
    field.text = generalForm(value);
    form.requestFocus(field.name);
    return -1;
}

}  // namespace

int readMoneyField(Form& form, Field& field, double& value) {
    return readDecimalField(form, field, value, roundToCent);
}

int readPriceField(Form& form, Field& field, double& value, PriceTick tick) {
    return readDecimalField(form, field, value,
                            tick == PriceTick::Milli ? roundToMilli : roundToCent);
}

int readRateField(Form& form, Field& field, double& value) {
    return readDecimalField(form, field, value, roundRate);
}

int readIntField(Form& form, Field& field, std::int32_t& value) {
    if (const auto parsed = parseInt(field.text)) {
        value = *parsed;
        return 0;
    }
    showError(form.ui(), invalidValueMessage(field.text));
    form.refuseEntry();
    field.text = std::to_string(value);
    form.requestFocus(field.name);
    return -1;
}

}  // namespace tallivan
