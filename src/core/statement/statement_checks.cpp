#include "statement/statement_checks.h"

#include <cstdlib>

#include "base/gbk.h"
#include "base/numbers.h"

namespace tallivan {

namespace {

constexpr std::int64_t kTolerance = 10;  // milli-yuan: one cent

}  // namespace

bool fitsLedgerAmount(std::int64_t milli) {
    return milli >= -2147483647 && milli <= 2147483647;
}

std::optional<std::string> netAmountWarning(const StatementEntry& entry) {
    const bool paid =
        entry.command == ImportCommand::Buy || entry.command == ImportCommand::RightsIssue;
    if (!entry.netAmount || (!paid && entry.command != ImportCommand::Sell))
        return std::nullopt;
    // The shares of a rights issue or of a new issue come in on a row of their own that moves
    // no money: the money moved on the row of the payment.
    const bool sharesAlone = entry.command == ImportCommand::RightsIssue ||
                             entry.operation == StatementOperation::NewShares;
    if (sharesAlone && *entry.netAmount == 0)
        return std::nullopt;
    // Brokers differ in the sign they give an amount paid; its size is what is compared.
    // Each part is bounded when it is read (the price and fee to 32 bits, the net amount below
    // 10^18 milli-yuan), so the sums stay inside 64 bits.
    const std::int64_t value = entry.price * entry.shares;
    const std::int64_t expected = paid ? value + entry.fee : value - entry.fee;
    const std::int64_t stated = std::llabs(*entry.netAmount);
    if (std::llabs(stated - expected) <= kTolerance)
        return std::nullopt;
    return gbk("发生金额 ") + fixed2(fromMilli(stated)) + gbk(" 与股数×价格") + (paid ? "+" : "-") +
           gbk("税费 ") + fixed2(fromMilli(expected)) + gbk(" 不符");
}

}  // namespace tallivan
