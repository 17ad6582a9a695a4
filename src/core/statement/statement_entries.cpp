#include "statement/statement_entries.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numeric>

#include "base/gbk.h"
#include "base/numbers.h"
#include "statement/statement_cells.h"
#include "statement/statement_checks.h"
#include "statement/statement_names.h"
#include "storage/account_records.h"

namespace tallivan {

namespace {

using Op = StatementOperation;

constexpr double kMostShares = 2147483647.0;
constexpr double kMostMoney = 1e15;  // yuan
constexpr std::int64_t kCent = 10;   // milli-yuan
// Fee columns beyond these are only compared as their sum (2^n subsets otherwise).
constexpr std::size_t kMostFeeParts = 12;

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
    static const std::vector<std::string> words = [] {
        std::vector<std::string> all;
        for (const char* word : tableEndWords())
            all.push_back(gbk(word));
        return all;
    }();
    for (const std::string& cell : line.cells) {
        const std::string_view text = trimCell(cell);
        if (text.empty())
            continue;
        return std::any_of(words.begin(), words.end(),
                           [&](const std::string& word) { return text.starts_with(word); });
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
                return readShares(shares) && readPrice(price, true) && readFee();
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

    // The fee of a trade. Where the row has a net amount the cash decides: the fee is what
    // makes shares × price ± fee equal it, and the fee columns are only evidence, which may
    // overlap (佣金 inside 手续费, 过户费 again on its own). Without a net amount the fee is the
    // total of the statement, else the sum of the single fees.
    bool readFee() {
        std::vector<std::int64_t> parts;
        std::optional<std::int64_t> total;
        if (const auto column = columns_[StatementField::TotalFee]) {
            const NumberCell cell = numberAt(line_, column);
            if (cell.bad() || cell.magnitude() >= kMostMoney)
                return refuse(invalidText("税费", cell.text));
            total = centsAsMilli(cell.magnitude());
        }
        for (std::size_t k = 0; k < columns_.feeParts.size(); ++k) {
            const NumberCell cell = numberAt(line_, columns_.feeParts[k]);
            if (cell.bad() || cell.magnitude() >= kMostMoney)
                return refuse(invalidText("税费", cell.text));
            const std::int64_t part = centsAsMilli(cell.magnitude());
            if (part == 0)
                continue;
            parts.push_back(part);
            entry_.feeDetail += (entry_.feeDetail.empty() ? "" : " + ") + columns_.feePartNames[k] +
                                " " + fixed2(fromMilli(part));
        }
        const std::int64_t sum = std::accumulate(parts.begin(), parts.end(), std::int64_t{0});
        if (entry_.netAmount && *entry_.netAmount != 0) {
            const std::int64_t value = entry_.price * entry_.shares;
            const std::int64_t paid = std::llabs(*entry_.netAmount);
            entry_.fee = entry_.command == ImportCommand::Buy ? paid - value : value - paid;
            if (!explainedBy(entry_.fee, total, parts))
                entry_.note = feeMismatch(entry_.fee, total ? *total : sum);
        } else {
            entry_.fee = total ? *total : sum;
        }
        if (!fitsLedgerAmount(entry_.fee))
            return refuse(gbk("税费超出范围"));
        return true;
    }

    // True when the fee the cash implies is the statement's total, or the sum of some of its
    // fee columns (each counted once), to the cent; without fee columns, any fee that is not
    // negative.
    static bool explainedBy(std::int64_t fee, std::optional<std::int64_t> total,
                            const std::vector<std::int64_t>& parts) {
        const auto agrees = [fee](std::int64_t sum) { return std::llabs(sum - fee) <= kCent; };
        if (!total && parts.empty())
            return fee >= 0;
        if (total && agrees(*total))
            return true;
        if (parts.size() > kMostFeeParts)
            return agrees(std::accumulate(parts.begin(), parts.end(), std::int64_t{0}));
        for (std::uint32_t subset = 1; subset < (1u << parts.size()); ++subset) {
            std::int64_t sum = 0;
            for (std::size_t k = 0; k < parts.size(); ++k)
                sum += (subset >> k & 1u) ? parts[k] : 0;
            if (agrees(sum))
                return true;
        }
        return false;
    }

    static std::string feeMismatch(std::int64_t fee, std::int64_t stated) {
        return gbk("按发生金额税费为 ") + fixed2(fromMilli(fee)) + gbk(", 与费用栏 ") +
               fixed2(fromMilli(stated)) + gbk(" 不符");
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
    if (e.operation == Op::Skipped)
        return refuse(ImportStatus::Skipped, meaning.reason);
    if (e.operation == Op::Unknown) {
        if (movesNothing(line, columns))
            return refuse(ImportStatus::Skipped, gbk("不涉及资金和股份"));
        return refuse(ImportStatus::Unknown, e.operationText);
    }
    if (!e.date)
        return refuse(ImportStatus::Invalid, invalidText("日期", dateCell));
    e.id = std::string(cellAt(line, columns[StatementField::Id]));
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

std::vector<StatementEntry> mapStatementTable(std::vector<StatementLine>& lines,
                                              const StatementHeader& header, bool shortRowsWhole) {
    std::vector<StatementEntry> entries;
    const std::size_t width = lines[header.line].cells.size();
    for (std::size_t i = header.line + 1; i < lines.size(); ++i) {
        StatementLine& line = lines[i];
        if (isBlankLine(line)) {
            if (entries.empty())
                continue;
            break;
        }
        // A row of the statement has its date; only a line without one may be another header.
        const bool dated =
            statementDate(cellAt(line, header.columns[StatementField::Date])).has_value();
        if (isTotalLine(line) || (!dated && knownCaptions(line.cells) >= 2))
            break;
        if (shortRowsWhole && line.cells.size() < width)
            line.cells.resize(width);
        entries.push_back(mapStatementLine(line, header.columns));
    }
    return entries;
}

}  // namespace tallivan
