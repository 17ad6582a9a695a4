// The date edits of the dialogs: "txtYear", "txtMonth" and "txtDay", each read as an integer and
// kept in the width of the record's field (16, 8 and 8 bits), without a range check.
#pragma once

#include <cstdint>
#include <string_view>

#include "forms/form.h"

namespace tallivan {

struct DateParts {
    std::uint16_t year = 0;
    std::uint8_t month = 0;
    std::uint8_t day = 0;
};

bool isDateField(std::string_view name);

// Reads the date edit `name` into its part of `date`: 0, or -1 when the text is refused (the
// part keeps its value). Not for other fields.
int readDateField(Form& form, std::string_view name, DateParts& date);

// Whether year-month-day is a day of the calendar (years 1900 to 9999). When it is not, shows
// the invalid-value message for the date and puts the focus on the part that is wrong.
bool acceptCalendarDate(Form& form, int year, int month, int day);

}  // namespace tallivan
