// The rows of transactions and fund movements.
#include <array>
#include <string>

#include "base/gbk.h"
#include "ledger/cash_amount.h"
#include "ledger/ledger_rows.h"
#include "ledger/row_format.h"

namespace tallivan {

namespace {

// Converted once: every row of a large account shows one of them.
const std::string& tradeTypeName(int type) {
    static const std::array<std::string, 8> names = {
        gbk("卖出"), gbk("买入"), gbk("配股"), gbk("送股"),
        gbk("红利"), gbk("申购"), gbk("中签"), gbk("不中"),
    };
    static const std::string none;
    // A type nibble no command writes has no name (and no cash amount).
    return type >= 0 && type < static_cast<int>(names.size())
               ? names[static_cast<std::size_t>(type)]
               : none;
}

const std::string& fundTypeName(int type) {
    static const std::array<std::string, 3> names = {
        gbk("资金存入"),
        gbk("资金支取"),
        gbk("资金增损"),
    };
    static const std::string none = gbk("资金");
    return type >= 0 && type < static_cast<int>(names.size())
               ? names[static_cast<std::size_t>(type)]
               : none;
}

}  // namespace

void showTradeRow(LedgerRow& row, const TradeRecord& trade, AccountNode* owner,
                  const RowContext& context) {
    const int type = trade.type();
    const std::int64_t costBasis = trade.costBasis;
    if (row.ref) {
        row.ref->owner = owner;
        row.ref->kindState = trade.kindState;
        row.ref->extra = costBasis;  // whole, so that a rebuilt sale keeps its cost
    }
    row.texts.resize(static_cast<std::size_t>(columnCount(LedgerList::Trades)) + 1);

    const std::string code = fieldText(trade.code, sizeof trade.code);
    const double amount = cashAmount(trade);

    auto& t = row.texts;
    t[1] = dateText(trade.year, trade.month, trade.day);
    t[2] = code;
    t[3] = context.names.nameOf(code);
    t[4] = tradeTypeName(type);
    t[5] = std::to_string(static_cast<std::int32_t>(trade.shares));
    t[6] = rows::money(rows::yuan(trade.price));
    t[7] = rows::money(rows::yuan(trade.fee));
    t[8] = rows::money(amount);
    if (type == kSell) {
        const Extended basis = rows::yuan(costBasis);
        const Extended profit = static_cast<Extended>(amount) - basis;
        t[9] = rows::money(profit);
        t[10] = rows::rate(costBasis != 0 ? profit / basis * 100.0L : 0.0L);
    } else {
        t[9].clear();
        t[10].clear();
    }
    row.image = kImageFirstTrade + type;
}

void showFundRow(LedgerRow& row, const FundRecord& fund, AccountNode* owner) {
    if (row.ref) {
        row.ref->owner = owner;
        row.ref->kindState = fund.kindState;
    }
    row.texts.resize(static_cast<std::size_t>(columnCount(LedgerList::Funds)) + 1);

    auto& t = row.texts;
    t[1] = dateText(fund.year, fund.month, fund.day);
    t[2] = fieldText(fund.title, sizeof fund.title);
    t[3] = fundTypeName(fund.type());
    t[4] = rows::money(rows::yuan(fund.amount));
    t[5] = fieldText(fund.memo, sizeof fund.memo);
    t[6].clear();
    t[7].clear();
    row.image = kImageFirstFund + fund.type();
}

}  // namespace tallivan
