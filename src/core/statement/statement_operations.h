// What the operation of a statement's row means for the ledger. Brokers write 帐 and 账 alike.
#pragma once

#include <string>
#include <string_view>

namespace tallivan {

enum class StatementOperation {
    Buy,          // 证券买入 / 买入 / 普通买入 / 担保物买入
    Sell,         // 证券卖出 / 卖出 / 普通卖出 / 担保物卖出
    Dividend,     // 红利入账 / 股息入账 / 股息红利
    DividendTax,  // 股息红利税补缴 …: the tax on a dividend, withheld at a sale
    BonusShares,  // 红股入账 / 送股
    RightsIssue,  // 配股缴款 / 配股入账
    NewShares,    // 新股入账: the shares of a won subscription
    Deposit,      // 银行转证券 / 银证转入
    Withdrawal,   // 证券转银行 / 银证转出
    Interest,     // 利息归本
    Skipped,      // moves no money or shares of a stock: 指定交易, 撤单, 托管转入 …
    Unknown,
};

struct OperationMeaning {
    StatementOperation operation = StatementOperation::Unknown;
    std::string reason;  // GBK: why a skipped row is skipped
};

// The meaning of an operation's text (GBK; blanks around it do not matter).
OperationMeaning operationMeaning(std::string_view text);

// Reverse repurchase agreements (Shanghai 204xxx, Shenzhen 131xxx) lend cash for a few days;
// they are no holdings of a stock.
bool isReverseRepoCode(std::string_view code);

// The reason given for skipping a reverse repurchase agreement (GBK).
const std::string& reverseRepoReason();

}  // namespace tallivan
