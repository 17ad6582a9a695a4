// The exchange a stock code trades on, by today's numbering, and the step its day-file prices
// are written in. Every price source asks here, so a six-digit Shenzhen code is never looked
// for in the Shanghai folder.
#pragma once

#include <array>
#include <string_view>

namespace tallivan {

enum class Market { Shanghai, Shenzhen, Beijing };

// Six-digit codes beginning 6, 900, 5, 10, 11 or 204 are Shanghai; 0, 3, 15, 16, 18, 12, 13
// or 20 Shenzhen; 92, 8 or 4 Beijing. Four-digit codes (and anything else) stay Shenzhen.
Market marketOfCode(std::string_view code);

// The markets to look in for `code`, the one its number names first: a source that finds
// nothing there tries the others before it says the code has no price. Asked for as an index,
// 000001, 000300 and 000688 are Shanghai's (the exchange numbers its indexes so) and 399xxx
// Shenzhen's.
std::array<Market, 3> marketsToSearch(std::string_view code, bool asIndex = false);

// Whether day files write the code's prices in 0.001 yuan (funds, ETFs, LOFs, REITs, bonds,
// repos: six-digit codes beginning 5, 15, 16, 18, 10, 11, 12, 13 or 204) rather than 0.01.
bool dayPricesInMilli(std::string_view code);

// "sh", "sz" or "bj": the market's prefix in file and quote names.
const char* marketPrefix(Market market);

}  // namespace tallivan
