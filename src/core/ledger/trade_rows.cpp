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
        row.ref->costBasis = costBasis;  // whole, so that a rebuilt sale keeps its cost
    }
    row.resizeTexts(columnCount(LedgerList::Trades) + 1);

    const std::string code = fieldText(trade.code, sizeof trade.code);
    const double amount = cashAmount(trade);

    row.setText(trade_column::kDate, dateText(trade.year, trade.month, trade.day));
    row.setText(trade_column::kCode, code);
    row.setText(trade_column::kName, context.names.nameOf(code));
    row.setText(trade_column::kOperation, tradeTypeName(type));
    row.setText(trade_column::kShares, std::to_string(static_cast<std::int32_t>(trade.shares)));
    row.setText(trade_column::kPrice,
                rows::price(rows::yuan(trade.price), priceTickOf(context.settings, code)));
    row.setText(trade_column::kFee, rows::money(rows::yuan(trade.fee)));
    row.setText(trade_column::kTotal, rows::money(amount));
    if (type == kSell) {
        const Extended basis = rows::yuan(costBasis);
        const Extended profit = static_cast<Extended>(amount) - basis;
        row.setText(trade_column::kProfit, rows::money(profit));
        row.setText(trade_column::kProfitRatio,
                    rows::rate(costBasis != 0 ? profit / basis * 100.0L : 0.0L));
    } else {
        row.setText(trade_column::kProfit, {});
        row.setText(trade_column::kProfitRatio, {});
    }
    row.image = kImageFirstTrade + type;
}

void showFundRow(LedgerRow& row, const FundRecord& fund, AccountNode* owner) {
    if (row.ref) {
        row.ref->owner = owner;
        row.ref->kindState = fund.kindState;
    }
    row.resizeTexts(columnCount(LedgerList::Funds) + 1);

    row.setText(fund_column::kDate, dateText(fund.year, fund.month, fund.day));
    row.setText(fund_column::kTitle, fieldText(fund.title, sizeof fund.title));
    row.setText(fund_column::kOperation, fundTypeName(fund.type()));
    row.setText(fund_column::kAmount, rows::money(rows::yuan(fund.amount)));
    row.setText(fund_column::kMemo, fieldText(fund.memo, sizeof fund.memo));
    row.setText(fund_column::kBalance, {});
    row.setText(fund_column::kUseRatio, {});
    row.image = kImageFirstFund + fund.type();
}

}  // namespace tallivan
