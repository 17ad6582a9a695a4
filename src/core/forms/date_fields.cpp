#include "forms/date_fields.h"

#include "forms/number_fields.h"

namespace tallivan {

bool isDateField(std::string_view name) {
    return name == field_id::kYear || name == field_id::kMonth || name == field_id::kDay;
}

int readDateField(Form& form, std::string_view name, DateParts& date) {
    std::int32_t value = name == field_id::kYear    ? date.year
                         : name == field_id::kMonth ? date.month
                                                    : date.day;
    if (readIntField(form, form.field(name), value) != 0)
        return -1;
    if (name == field_id::kYear)
        date.year = static_cast<std::uint16_t>(value);
    else if (name == field_id::kMonth)
        date.month = static_cast<std::uint8_t>(value);
    else
        date.day = static_cast<std::uint8_t>(value);
    return 0;
}

}  // namespace tallivan
