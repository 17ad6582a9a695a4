// The four ledger lists and the yearly results as CSV files for spreadsheets: UTF-8 with a
// byte-order mark (so a spreadsheet reads the Chinese as Chinese), a line of captions first,
// lines ended by CR LF, and fields quoted where their text needs it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ledger/ledger_rows.h"
#include "report/yearly_results.h"

namespace tallivan {

// "持有_" ... "资金_" + the node's name + ".csv", and "年度_" + the name + ".csv" (GBK).
std::string csvFileName(LedgerList list, std::string_view nodeName);
std::string yearlyCsvFileName(std::string_view nodeName);

// The columns of the text files (every column but the image and the fund list's hidden ones),
// the texts as the list shows them, except that dates are written in full (2024-01-03), which
// every spreadsheet reads as a date. Summary rows are left out.
std::string listCsv(LedgerList list, const std::vector<LedgerRow>& rows);

// 年份, 已实现盈亏, 分红, 费用, 存入, 支取: a line a year, then 合计.
std::string yearlyCsv(const YearlyResults& results);

// One field as CSV holds it (`text` UTF-8 or GBK): quoted when it holds a comma, a quote or a line
// break (quotes doubled). A text a spreadsheet would run as a formula (starting with "=", "+",
// "-" or "@", and not a number) gets a leading apostrophe, so it shows as the text it is.
std::string csvField(std::string_view text);

}  // namespace tallivan
