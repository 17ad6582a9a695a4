// The brokers' numbers of the rows statements brought into an account (成交编号, 合同编号 …),
// kept in a text file beside the account: a row imported before is known by its number even
// where the next statement writes its values another way. Each number is kept with the key of
// the row it was recorded as, so a row deleted since is not taken for one still held.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "statement/statement_entries.h"

namespace tallivan {

// "zrdata/zr_00001.acc" → "zrdata/zr_00001.acc.ids".
std::string importedIdsPath(const std::string& accountPath);

// The numbers of a file's text by code and number ("600000<TAB>123"), each with its row's key.
// Lines that are not three fields are passed over.
std::map<std::string, std::string> parseImportedIds(std::string_view text);

// The name a row's number is kept under; empty when the row has none.
std::string importedIdName(const StatementEntry& entry);

// One line of the file: the row's code, number and key.
std::string importedIdLine(const StatementEntry& entry, const std::string& key);

}  // namespace tallivan
