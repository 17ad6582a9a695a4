#include "forms/milli_fields.h"

#include <cstdint>
#include <limits>
#include <string>

#include "base/numbers.h"
#include "forms/number_fields.h"

namespace tallivan {

bool fitsMilli(double yuan, MilliWidth width) {
    const std::int64_t milli = toMilli(yuan);
    if (width == MilliWidth::Bits32) {
        constexpr std::int64_t kMost = std::numeric_limits<std::int32_t>::max();
        return milli >= -kMost && milli <= kMost;
    }
    // toMilli saturates to the extremes where its product no longer fits.
    return milli > std::numeric_limits<std::int64_t>::min() &&
           milli < std::numeric_limits<std::int64_t>::max();
}

int readMilliField(Form& form, Field& field, double& value, MilliWidth width, PriceTick tick) {
    const std::string typed = field.text;
    double read = value;
    if (readPriceField(form, field, read, tick) != 0)
        return -1;
    if (!fitsMilli(read, width)) {
        showError(form.ui(), invalidValueMessage(typed));
        form.refuseEntry();
        field.text = generalForm(value);
        form.requestFocus(field.name);
        return -1;
    }
    value = read;
    return 0;
}

}  // namespace tallivan
