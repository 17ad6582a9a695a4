// The cells of a broker's statement read as numbers, dates, times and stock codes. A cell is
// GBK text already freed of its quotes and of the ="…" some brokers wrap around it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/clock.h"

namespace tallivan {

// The cell without the blanks around it (ASCII blanks and the GBK full-width blank).
std::string_view trimCell(std::string_view cell);

// The text without the blanks around it and without what follows in brackets ("成交价格(元)",
// "证券买入(贵州茅台)"); a text that begins with a bracket stays as it is.
std::string_view withoutBracketedTail(std::string_view text);

// A decimal number as statements write it: blanks around it, an optional sign, digits with
// thousands separators ("1,234.50"), an optional decimal point and exponent. Nothing for an
// empty cell or any other text.
std::optional<double> statementNumber(std::string_view cell);

// A date of the calendar between 1981 and 2080, the years the ledger's two-digit dates keep:
// "20230214", "2023-02-14", "2023/2/14", "2023.02.14", "2023年2月14日", each optionally followed
// by a time or a serial number (20240103000012), or a workbook's day number (days since
// 1899-12-30, with the time as its fraction). Nothing for anything else.
std::optional<Date> statementDate(std::string_view cell);

// A time of day as HHMMSS: "09:31:22", "9:31", "093122", "93122", or a workbook's fraction of a
// day ("0.396", "45294.396"). Nothing for anything else.
std::optional<int> statementTime(std::string_view cell);

// A stock code zero-padded to six digits ("1" is "000001"). Nothing unless the cell holds one
// to six digits.
std::optional<std::string> statementCode(std::string_view cell);

}  // namespace tallivan
