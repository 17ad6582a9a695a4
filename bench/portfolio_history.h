// One realistic portfolio history written twice: as a data directory of this program and as a
// plain-text journal that ledger and hledger read, so that the three can be timed on the same
// history.
#pragma once

#include <string>

namespace tallivan::bench {

// Writes `root`/tallivan (settings, names and zrdata/zr_00001.acc) and `root`/journal.ledger:
// `transactions` deposits, buys, sales, dividends and bonus issues over `stocks` stocks.
void writePortfolioHistory(const std::string& root, int transactions, int stocks);

}  // namespace tallivan::bench
