#include "forms/date_fields.h"

#include <string>

#include "base/calendar.h"
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

bool acceptCalendarDate(Form& form, int year, int month, int day) {
    const char* wrong = year < 1900 || year > 9999                  ? field_id::kYear
                        : month < 1 || month > 12                   ? field_id::kMonth
                        : day < 1 || day > daysInMonth(year, month) ? field_id::kDay
                                                                    : nullptr;
    if (!wrong)
        return true;
    showError(form.ui(), invalidValueMessage(std::to_string(year) + "-" + std::to_string(month) +
                                             "-" + std::to_string(day)));
    form.requestFocus(wrong);
    return false;
}

}  // namespace tallivan
