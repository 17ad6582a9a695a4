// The four ledger lists as fixed-width GBK text files: one line of column captions, then one
// line per data row in the list's order, the texts exactly as the rows show them.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/ledger_rows.h"

namespace tallivan {

// The lists in the order their files are written.
constexpr std::array<LedgerList, 4> kExportedLists = {LedgerList::Holdings, LedgerList::Sold,
                                                      LedgerList::Trades, LedgerList::Funds};

// "持有_", "卖出_", "交易_" or "资金_", then `nodeName` (the account or group as the tree shows
// it), then `extension` (GBK). A "/" or "\" in the name becomes "_", so the name can never lead
// out of the directory the file is meant for.
std::string exportFileName(LedgerList list, std::string_view nodeName,
                           std::string_view extension = ".txt");
// The same with another `prefix` (UTF-8).
std::string exportFileName(std::string_view prefix, std::string_view nodeName,
                           std::string_view extension);

// The columns a list's export files hold, 1 to this: 14, 11, 10 and 5 (the two hidden
// columns of the fund list are never written).
int exportedColumns(LedgerList list);

// The whole file of `list`. Each line is a run of cells, every text right-aligned in 14 bytes
// (a longer text is cut to 14), and then either the memo, left-aligned in 30 bytes after two
// blanks and followed by CR LF (holdings and sold positions), or CR LF alone: lines of 216,
// 174, 142 and 72 bytes. Rows without a reference (the summary rows) are left out.
std::string exportText(LedgerList list, const std::vector<LedgerRow>& rows);

}  // namespace tallivan
