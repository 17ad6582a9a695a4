// The rows of a statement mapped to the ledger: each row's operation becomes one ledger command
// with its date, code, shares, price and fee, or a reason why it becomes none.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "statement/statement_columns.h"
#include "statement/statement_operations.h"
#include "statement/statement_text.h"

namespace tallivan {

// What becomes of a row: recorded as new, already recorded, skipped (with the reason), of an
// operation the program does not know (with its text), or not readable (with the reason).
enum class ImportStatus { New, Duplicate, Skipped, Unknown, Invalid };

// The ledger command a row is recorded by.
enum class ImportCommand {
    None,
    Buy,
    Sell,
    Dividend,  // also the tax on a dividend, as a dividend of the negative amount
    BonusShares,
    RightsIssue,
    Won,  // the shares of a won subscription the account holds
    Deposit,
    Withdrawal,
    Adjustment,
};

struct StatementEntry {
    int line = 0;                    // in the file, 1 = the first
    std::vector<std::string> cells;  // GBK, as the statement has them
    ImportStatus status = ImportStatus::New;
    std::string note;  // GBK: the reason, the unknown operation, a warning
    std::string operationText;
    StatementOperation operation = StatementOperation::Unknown;
    ImportCommand command = ImportCommand::None;
    std::optional<Date> date;
    int time = 0;      // HHMMSS, 0 when the statement has none
    std::string code;  // six digits; empty for fund movements
    std::int32_t shares = 0;
    // Milli-yuan in whole cents, as the trade and fund dialogs keep what is typed into them.
    std::int64_t price = 0;
    std::int64_t fee = 0;
    // A dividend's amount (negative for the tax on one), or a fund movement's amount with the
    // sign the fund list shows (a withdrawal negative).
    std::int64_t amount = 0;
    std::optional<std::int64_t> netAmount;  // what the statement says the row moved
    std::string id;         // the broker's number of the trade (GBK), empty when it has none
    std::string feeDetail;  // GBK: the fee columns of the row, "净佣金 5.00 + 过户费 0.20"
};

// The transaction type a command records (a purchase for a command of no transaction), and the
// fund movement type (an adjustment for a command of no fund movement).
int tradeTypeOf(ImportCommand command);
int fundTypeOf(ImportCommand command);

// Maps one line below the header. A row that cannot be mapped gets the status Skipped,
// Unknown or Invalid with its note; every other row is New until it is compared with the
// account.
StatementEntry mapStatementLine(const StatementLine& line, const StatementColumns& columns);

// Maps the lines below `header` up to the end of the statement's table: a blank line after its
// rows, a line of totals (合计 …) or the header of another table (holdings, say) end it. With
// `shortRowsWhole` a row with fewer cells than the header (a workbook leaves out its last empty
// cells) is whole; else it is cut.
std::vector<StatementEntry> mapStatementTable(std::vector<StatementLine>& lines,
                                              const StatementHeader& header, bool shortRowsWhole);

// True when no cell of the line holds anything.
bool isBlankLine(const StatementLine& line);

}  // namespace tallivan
