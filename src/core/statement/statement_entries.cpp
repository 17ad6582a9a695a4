#include "statement/statement_entries.h"

#include <cmath>
#include <cstdlib>

#include "base/gbk.h"
#include "base/numbers.h"
#include "statement/statement_cells.h"
#include "statement/statement_checks.h"
#include "storage/account_records.h"

namespace tallivan {

namespace {

using Op = StatementOperation;

constexpr double kMostShares = 2147483647.0;
constexpr double kMostMoney = 1e15;  // yuan

std::string_view cellAt(const StatementLine& line, std::optional<std::size_t> column) {
    if (!column || *column >= line.cells.size())
        return {};
    return trimCell(line.cells[*column]);
}

// A number cell: empty (also the dashes brokers write for "not applicable"), a number, or a
// text that is none.
struct NumberCell {
    std::string_view text;
    std::optional<double> value;
    bool empty() const { return text.empty() || text.find_first_not_of('-') == std::string::npos; }
    bool bad() const { return !empty() && !value; }
    double magnitude() const { return empty() || !value ? 0.0 : std::fabs(*value); }
};

NumberCell numberAt(const StatementLine& line, std::optional<std::size_t> column) {
    NumberCell cell{cellAt(line, column), std::nullopt};
    if (!cell.empty())
        cell.value = statementNumber(cell.text);
    return cell;
}

std::int64_t centsAsMilli(double yuan) {
    return toMilli(roundToCent(yuan));
}

std::string invalidText(const char* what, std::string_view text) {
    return gbk(what) + " '" + std::string(text) + gbk("' 无效");
}

bool isTotalLine(const StatementLine& line) {
    static const std::string words[] = {gbk("合计"), gbk("总计"), gbk("小计")};
    for (const std::string& cell : line.cells) {
        const std::string_view text = trimCell(cell);
        if (text.empty())
            continue;
        for (const std::string& word : words) {
            if (text.starts_with(word))
                return true;
        }
        return false;
    }
    return false;
}

ImportCommand commandOf(Op operation) {
    switch (operation) {
        case Op::Buy:
        case Op::NewShares:  // a purchase unless the account holds the subscription
            return ImportCommand::Buy;
        case Op::Sell:
            return ImportCommand::Sell;
        case Op::Dividend:
        case Op::DividendTax:
            return ImportCommand::Dividend;
        case Op::BonusShares:
            return ImportCommand::BonusShares;
        case Op::RightsIssue:
            return ImportCommand::RightsIssue;
        case Op::Deposit:
            return ImportCommand::Deposit;
        case Op::Withdrawal:
            return ImportCommand::Withdrawal;
        case Op::Interest:
            return ImportCommand::Adjustment;
        case Op::Skipped:
        case Op::Unknown:
            break;
    }
    return ImportCommand::None;
}

bool isFundMovement(ImportCommand command) {
    return command == ImportCommand::Deposit || command == ImportCommand::Withdrawal ||
           command == ImportCommand::Adjustment;
}

// Reads and checks the numbers of a row that maps to `entry.command`. On a failure the entry
// gets its status and note and the result is false.
class RowNumbers {
  public:
    RowNumbers(const StatementLine& line, const StatementColumns& columns, StatementEntry& entry)
        : line_(line), columns_(columns), entry_(entry) {}

    bool read() {
        const NumberCell shares = numberAt(line_, columns_[StatementField::Shares]);
        const NumberCell price = numberAt(line_, columns_[StatementField::Price]);
        const NumberCell amount = numberAt(line_, columns_[StatementField::Amount]);
        const NumberCell net = numberAt(line_, columns_[StatementField::NetAmount]);
        for (const auto& [cell, what] : {std::pair{&shares, "股数"}, std::pair{&price, "价格"},
                                         std::pair{&amount, "金额"}, std::pair{&net, "金额"}}) {
            if (cell->bad())
                return refuse(invalidText(what, cell->text));
        }
        if (!net.empty()) {
            // Far beyond any account: refused here so that comparing it stays in range.
            if (net.magnitude() >= kMostMoney)
                return refuse(invalidText("金额", net.text));
            entry_.netAmount = centsAsMilli(*net.value);
        }
        // The money of a dividend or a fund movement: the net amount, else the amount.
        const double money = net.magnitude() != 0.0 ? net.magnitude() : amount.magnitude();

        switch (entry_.command) {
            case ImportCommand::Buy:
            case ImportCommand::Sell:
                return readShares(shares) && readPrice(price, true) && readFee(price, net);
            case ImportCommand::RightsIssue:
                return readShares(shares) && readPrice(price, false);
            case ImportCommand::BonusShares:
                return readShares(shares);
            case ImportCommand::Dividend:
                entry_.amount = centsAsMilli(money);
                if (entry_.operation == Op::DividendTax)
                    entry_.amount = -entry_.amount;
                return checkAmount();
            case ImportCommand::Deposit:
            case ImportCommand::Adjustment:
                entry_.amount = centsAsMilli(money);
                return checkAmount();
            case ImportCommand::Withdrawal:
                entry_.amount = -centsAsMilli(money);
                return checkAmount();
            case ImportCommand::Won:
            case ImportCommand::None:
                break;
        }
        return true;
    }

  private:
    bool refuse(std::string note, ImportStatus status = ImportStatus::Invalid) {
        entry_.status = status;
        entry_.note = std::move(note);
        return false;
    }

    bool readShares(const NumberCell& cell) {
        const double shares = cell.magnitude();
        if (shares < 1.0 || shares > kMostShares || shares != std::floor(shares))
            return refuse(invalidText("股数", cell.text));
        entry_.shares = static_cast<std::int32_t>(shares);
        return true;
    }

    bool readPrice(const NumberCell& cell, bool required) {
        entry_.price = centsAsMilli(cell.magnitude());
        if ((required && entry_.price <= 0) || !fitsLedgerAmount(entry_.price))
            return refuse(invalidText("价格", cell.text));
        return true;
    }

    // The fees the broker charged: the total when the statement gives one, else the sum of the
    // single fees, else what the net amount leaves beyond shares × price.
    bool readFee(const NumberCell& price, const NumberCell& net) {
        double fee = 0.0;
        if (const auto total = columns_[StatementField::TotalFee]) {
            const NumberCell cell = numberAt(line_, total);
            if (cell.bad())
                return refuse(invalidText("税费", cell.text));
            fee = cell.magnitude();
        } else if (!columns_.feeParts.empty()) {
            for (std::size_t column : columns_.feeParts) {
                const NumberCell cell = numberAt(line_, column);
                if (cell.bad())
                    return refuse(invalidText("税费", cell.text));
                fee += cell.magnitude();
            }
        } else if (!net.empty()) {
            const double value = static_cast<double>(static_cast<Extended>(entry_.shares) *
                                                     roundToCent(price.magnitude()));
            const double left = entry_.command == ImportCommand::Buy ? net.magnitude() - value
                                                                     : value - net.magnitude();
            fee = left > 0.0 ? left : 0.0;
        }
        entry_.fee = centsAsMilli(fee);
        if (!fitsLedgerAmount(entry_.fee))
            return refuse(gbk("税费超出范围"));
        return true;
    }

    bool checkAmount() {
        if (entry_.amount == 0)
            return refuse(gbk("不涉及资金和股份"), ImportStatus::Skipped);
        if (!fitsLedgerAmount(entry_.amount))
            return refuse(gbk("金额超出范围"));
        return true;
    }

    const StatementLine& line_;
    const StatementColumns& columns_;
    StatementEntry& entry_;
};

// True when the row shows no shares and no money.
bool movesNothing(const StatementLine& line, const StatementColumns& columns) {
    for (const StatementField field :
         {StatementField::Shares, StatementField::Amount, StatementField::NetAmount}) {
        const NumberCell cell = numberAt(line, columns[field]);
        if (cell.bad() || cell.magnitude() != 0.0)
            return false;
    }
    return true;
}

}  // namespace

int tradeTypeOf(ImportCommand command) {
    switch (command) {
        case ImportCommand::Sell:
            return kSell;
        case ImportCommand::RightsIssue:
            return kRightsIssue;
        case ImportCommand::BonusShares:
            return kBonusShares;
        case ImportCommand::Dividend:
            return kDividend;
        case ImportCommand::Won:
            return kSubscriptionWon;
        default:
            return kBuy;
    }
}

int fundTypeOf(ImportCommand command) {
    return command == ImportCommand::Deposit      ? kDeposit
           : command == ImportCommand::Withdrawal ? kWithdrawal
                                                  : kAdjustment;
}

bool isBlankLine(const StatementLine& line) {
    for (const std::string& cell : line.cells) {
        if (!trimCell(cell).empty())
            return false;
    }
    return true;
}

StatementEntry mapStatementLine(const StatementLine& line, const StatementColumns& columns) {
    StatementEntry e;
    e.line = line.number;
    e.cells = line.cells;
    const auto refuse = [&e](ImportStatus status, std::string note) {
        e.status = status;
        e.note = std::move(note);
        return e;
    };

    // The first operation cell the program knows, else the first one that says anything.
    OperationMeaning meaning;
    for (const std::size_t column : columns.operations) {
        const std::string_view text = cellAt(line, column);
        if (text.empty())
            continue;
        OperationMeaning m = operationMeaning(text);
        if (e.operationText.empty() || m.operation != Op::Unknown) {
            e.operationText = std::string(text);
            meaning = std::move(m);
        }
        if (meaning.operation != Op::Unknown)
            break;
    }
    e.operation = meaning.operation;
    e.command = commandOf(e.operation);
    const std::string_view dateCell = cellAt(line, columns[StatementField::Date]);
    e.date = statementDate(dateCell);
    e.time = statementTime(cellAt(line, columns[StatementField::Time])).value_or(0);
    const std::string_view codeCell = cellAt(line, columns[StatementField::Code]);
    e.code = statementCode(codeCell).value_or(std::string());

    if (line.cut || line.cells.size() <= columns.lastColumn())
        return refuse(ImportStatus::Invalid, gbk("行不完整"));
    if (isTotalLine(line))
        return refuse(ImportStatus::Skipped, gbk("合计行"));
    if (e.operation == Op::Skipped)
        return refuse(ImportStatus::Skipped, meaning.reason);
    if (e.operation == Op::Unknown) {
        if (movesNothing(line, columns))
            return refuse(ImportStatus::Skipped, gbk("不涉及资金和股份"));
        return refuse(ImportStatus::Unknown, e.operationText);
    }
    if (!e.date)
        return refuse(ImportStatus::Invalid, invalidText("日期", dateCell));
    if (!isFundMovement(e.command)) {
        if (e.code.empty())
            return refuse(ImportStatus::Invalid, invalidText("代码", codeCell));
        if (isReverseRepoCode(e.code))
            return refuse(ImportStatus::Skipped, reverseRepoReason());
    } else {
        e.code.clear();
    }
    if (!RowNumbers(line, columns, e).read())
        return e;
    if (auto warning = netAmountWarning(e))
        e.note = std::move(*warning);
    return e;
}

}  // namespace tallivan
