// The four ledger lists as plain data: holdings, sold positions, transactions and fund
// movements. The rows are the working copy of the ledger: their texts are what commands parse
// back into records and what the totals sum, so every text format here is binding.
// Texts are GBK. Column 0 of every list shows only the row's image; text(0) is always empty
// and text(c) is column c.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ledger/account_node.h"
#include "storage/account_records.h"
#include "storage/name_table.h"
#include "storage/settings.h"

namespace tallivan {

enum class LedgerList { Holdings, Sold, Trades, Funds };

// The data columns of each list (column 0 not counted): 14, 11, 10 and 7.
int columnCount(LedgerList list);

enum class ColumnAlign { Left, Right, Centre };

struct ColumnInfo {
    std::string caption;  // GBK; empty for column 0
    int width = 0;        // pixels; 0 hides the column
    ColumnAlign align = ColumnAlign::Left;
};

// Columns 0..columnCount(list), column 0 the 18-pixel image column.
const std::vector<ColumnInfo>& columnsOf(LedgerList list);

// What a data row refers to. Summary rows have none.
struct ItemRef {
    std::int32_t slotIndex = -1;
    // Holdings and sold rows: the slot of the position's note, or -1.
    std::int32_t noteSlot = -1;
    // Transaction rows: the trade's cost basis, whole (64 bits), so that a record rebuilt from
    // the row keeps it exactly.
    std::int64_t costBasis = -1;
    AccountNode* owner = nullptr;
    std::uint8_t kindState = 0;

    // The type of a transaction or fund movement, the state of a position.
    int state() const { return slotStateOf(kindState); }
};

// Row images: 0/1 tree, 2 green (stop-loss reached, sold at a loss), 3 yellow (between the
// targets), 4 red (take-profit reached, sold at no loss), 5..12 transaction type + 5, 13..15
// fund type + 13, 16 summary rows.
constexpr int kImageLoss = 2;
constexpr int kImageBetween = 3;
constexpr int kImageProfit = 4;
constexpr int kImageFirstTrade = 5;
constexpr int kImageFirstFund = 13;
constexpr int kImageSummary = 16;

// The columns of each list, named once for the rows, the totals, the export, the views, the
// command line and the tests; column 0 is the row's image.
inline constexpr int kImageColumn = 0;

namespace held_column {
inline constexpr int kCode = 1;
inline constexpr int kName = 2;
inline constexpr int kShares = 3;
inline constexpr int kBuyPrice = 4;
inline constexpr int kBuyTotal = 5;
inline constexpr int kCurrentPrice = 6;
inline constexpr int kValue = 7;  // the net market value (总现价)
inline constexpr int kProfit = 8;
inline constexpr int kProfitRatio = 9;
inline constexpr int kBreakEven = 10;
inline constexpr int kStopLoss = 11;
inline constexpr int kTakeProfit = 12;
inline constexpr int kDate = 13;
inline constexpr int kMemo = 14;
inline constexpr int kLast = 14;
}  // namespace held_column

namespace sold_column {
inline constexpr int kCode = 1;
inline constexpr int kName = 2;
inline constexpr int kShares = 3;
inline constexpr int kBuyPrice = 4;
inline constexpr int kBuyTotal = 5;
inline constexpr int kSellPrice = 6;
inline constexpr int kSaleTotal = 7;  // the proceeds
inline constexpr int kProfit = 8;
inline constexpr int kProfitRatio = 9;
inline constexpr int kDate = 10;
inline constexpr int kMemo = 11;
inline constexpr int kLast = 11;
}  // namespace sold_column

// The columns the held and the sold list share, for what treats both alike.
namespace stock_column {
using held_column::kBuyPrice;
using held_column::kBuyTotal;
using held_column::kCode;
using held_column::kName;
using held_column::kShares;
static_assert(kCode == sold_column::kCode && kName == sold_column::kName &&
              kShares == sold_column::kShares && kBuyPrice == sold_column::kBuyPrice &&
              kBuyTotal == sold_column::kBuyTotal);
}  // namespace stock_column

namespace trade_column {
inline constexpr int kDate = 1;
inline constexpr int kCode = 2;
inline constexpr int kName = 3;
inline constexpr int kOperation = 4;
inline constexpr int kShares = 5;
inline constexpr int kPrice = 6;
inline constexpr int kFee = 7;
inline constexpr int kTotal = 8;
inline constexpr int kProfit = 9;
inline constexpr int kProfitRatio = 10;
inline constexpr int kLast = 10;
}  // namespace trade_column

namespace fund_column {
inline constexpr int kDate = 1;
inline constexpr int kTitle = 2;
inline constexpr int kOperation = 3;
inline constexpr int kAmount = 4;
inline constexpr int kMemo = 5;
inline constexpr int kBalance = 6;   // hidden, never filled
inline constexpr int kUseRatio = 7;  // hidden, never filled
inline constexpr int kLast = 7;
}  // namespace fund_column

// The date column of the transactions and the fund movements, which sort and filter alike.
inline constexpr int kMovementDateColumn = trade_column::kDate;
static_assert(trade_column::kDate == fund_column::kDate);

// The column of a list that holds its rows' dates.
constexpr int dateColumnOf(LedgerList list) {
    return list == LedgerList::Holdings ? held_column::kDate
           : list == LedgerList::Sold   ? sold_column::kDate
                                        : kMovementDateColumn;
}

// Profit marks of stock rows (they pick the text colour): none for summary rows.
constexpr int kMarkNone = 0;
constexpr int kMarkLoss = 2;
constexpr int kMarkProfit = 4;

// One row: its column texts, image, profit mark and reference. A large account has a hundred
// thousand rows, so the texts of a row share one buffer instead of one string each (that keeps
// an opening's memory, and with it its page faults, to less than half).
class LedgerRow {
  public:
    static constexpr int kMaxTexts = 16;

    int image = 0;
    int profitMark = kMarkNone;
    std::optional<ItemRef> ref;

    // Column `column`'s text; empty for a column the row does not have.
    std::string_view text(int column) const {
        if (column < 0 || column >= count_)
            return {};
        const std::size_t begin = column == 0 ? 0 : ends_[static_cast<std::size_t>(column - 1)];
        return std::string_view(packed_).substr(begin,
                                                ends_[static_cast<std::size_t>(column)] - begin);
    }
    void setText(int column, std::string_view text);
    // The number of texts, column 0 included.
    int textCount() const { return count_; }
    // Gives the row `count` texts, keeping those it has (new ones are empty).
    void resizeTexts(int count);

    bool isSummary() const { return !ref.has_value(); }

  private:
    std::string packed_;                           // the texts one after another
    std::array<std::uint16_t, kMaxTexts> ends_{};  // where each text ends in `packed_`
    std::uint8_t count_ = 0;
};

// An empty row of `list` (all texts empty) carrying `ref`.
LedgerRow makeRow(LedgerList list, std::optional<ItemRef> ref);

// What the row texts need besides the record: the category and fee table, the stock names.
struct RowContext {
    const Settings& settings;
    const NameTable& names;
};

// Fill a row from its record and stamp `owner` and the record's kindState into the row's
// ItemRef. showStockRow does nothing for a row without ItemRef; it fills a holdings row for a
// held record and a sold row for a sold one.
void showStockRow(LedgerRow& row, const StockRecord& stock, AccountNode* owner,
                  const RowContext& context);
void showTradeRow(LedgerRow& row, const TradeRecord& trade, AccountNode* owner,
                  const RowContext& context);
void showFundRow(LedgerRow& row, const FundRecord& fund, AccountNode* owner);

// When `slot` is a note (kind 4), writes its memo into the memo column of the stock row (14 for
// a held row, 11 for a sold one; nothing for a row of another state) and returns true.
bool showStockNote(LedgerRow& row, const LedgerRecord& slot);

// "YY-MM-DD": the year modulo 100, month and day, each two digits.
std::string dateText(int year, int month, int day);
// The date a "YY-MM-DD" text stands for as YYYYMMDD; a two-digit year of 80 or less is 20YY,
// above 80 it is 19YY. Characters that are not digits read as the integer conversion does.
std::int32_t dateKey(std::string_view text);
// Date order of the transaction and fund lists: newest first. Negative when a comes first.
int compareRowDates(const LedgerRow& a, const LedgerRow& b);
// Sorts rows by compareRowDates (column 1 of either list), keeping the order of equal dates.
void sortByDate(std::vector<LedgerRow>& rows);

struct PortfolioTotals;

// The four lists of the account or group shown.
class LedgerLists {
  public:
    std::vector<LedgerRow>& rows(LedgerList list);
    const std::vector<LedgerRow>& rows(LedgerList list) const;

    // Empties the four lists.
    void clear();
    // The summary row at the top of the holdings and sold lists ("统计", "持有股票" /
    // "已卖股票", image 16, no ItemRef).
    void addSummaryRows();

    // Adds every slot of one account as the loader does, row by row: a held or sold position
    // (with the note in the very next slot) below the summary row, a transaction or fund row at
    // the top of its list; the trade cash amounts and fund amounts go into `totals`. Other
    // slots (deleted, stray notes, unknown kinds, positions of other states) make no row.
    // Rows end up exactly where inserting them one at a time would put them, in linear time.
    void addAccount(AccountNode* owner, const std::vector<LedgerRecord>& slots,
                    const RowContext& context, PortfolioTotals& totals);

    // Sorts the transaction and fund lists by date.
    void sortByDate();

    // Shows `name` (GBK) as the name of every position and transaction of `code`.
    void showStockName(std::string_view code, std::string_view name);

  private:
    std::vector<LedgerRow> holdings_, sold_, trades_, funds_;
};

// The account and code in focus: selecting a stock row sets both; a transaction row of that
// account and code is drawn in red.
struct LedgerFocus {
    AccountNode* currentAccount = nullptr;
    std::string highlightCode;
};

// Selection change in the holdings or sold list: a selected data row makes its code the
// highlighted one and its account the current one; no selection or the summary row clears
// the highlighted code and leaves the current account.
void selectStockRow(const std::vector<LedgerRow>& rows, std::optional<int> selected,
                    LedgerFocus& focus);

enum class TextColour { Default, ButtonText, Red, Green };

// The text colour of a row: stock rows by their profit mark (red for profit, green for loss,
// the button-text colour for the summary rows), transaction rows red when they belong to the
// current account and the highlighted code, everything else the list default.
TextColour textColourOf(LedgerList list, const LedgerRow& row, const LedgerFocus& focus);

}  // namespace tallivan
