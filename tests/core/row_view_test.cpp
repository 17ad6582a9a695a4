// Narrowing a list by a filter and ordering it by a column, leaving its rows as they are.
#include <gtest/gtest.h>

#include "base/gbk.h"
#include "ledger/row_view.h"

namespace tallivan {
namespace {

// A data row of `list` with the given column texts (column 1 first).
LedgerRow row(LedgerList list, std::vector<std::string> texts, int image = 0) {
    LedgerRow r = makeRow(list, ItemRef{});
    for (std::size_t i = 0; i < texts.size(); ++i)
        r.setText(static_cast<int>(i + 1), texts[i]);
    r.image = image;
    return r;
}

LedgerRow summary(LedgerList list) {
    LedgerRow r = makeRow(list, std::nullopt);
    r.setText(stock_column::kCode, gbk("统计"));
    return r;
}

// Holdings: code, name, shares, buy price, total, current price, ..., date (13), memo (14).
std::vector<LedgerRow> holdings() {
    const auto held = [](const char* code, const char* name, const char* total, const char* rate,
                         const char* date, const char* memo) {
        return row(LedgerList::Holdings, {code, gbk(name), "100", "", total, "", "", "", rate, "",
                                          "", "", date, gbk(memo)});
    };
    return {summary(LedgerList::Holdings),
            held("600000", "浦发银行", "10081.00", "3.32%", "26-01-08", "长期持有"),
            held("000002", "万科Ａ", "-5.00", "", "25-12-01", ""),
            held("600036", "招商银行", "999.50", "-10.00%", "99-07-01", "st test"),
            held("300750", "宁德时代", "10081.00", "0.00%", "26-02-03", "")};
}

// Transactions: date, code, name, type, shares, price, fee, amount, profit, rate.
std::vector<LedgerRow> trades() {
    const auto t = [](const char* date, const char* code, const char* name, const char* amount) {
        return row(LedgerList::Trades, {date, code, gbk(name), gbk("买入"), "100", "", "", amount});
    };
    return {t("26-03-01", "600000", "浦发银行", "-1000.00"),
            t("25-12-31", "600036", "招商银行", "-250.00"), t("00-01-01", "0001", "深发展", "7.00"),
            t("99-12-31", "600000", "浦发银行", "")};
}

std::vector<int> view(LedgerList list, const std::vector<LedgerRow>& rows, RowFilter filter,
                      int column = kOriginalOrder, bool descending = false) {
    return viewOfRows(list, rows, filter, column, descending);
}

TEST(RowView, ColumnsOrderByTheirKindAndTheSummaryRowStaysFirst) {
    const auto rows = holdings();
    const struct {
        int column;
        bool descending;
        std::vector<int> order;
    } cases[] = {
        {kOriginalOrder, false, {0, 1, 2, 3, 4}},
        {stock_column::kCode, false, {0, 2, 4, 1, 3}},
        {stock_column::kCode, true, {0, 3, 1, 4, 2}},
        // Numbers by value, not by text; equal values keep their order either way.
        {stock_column::kBuyTotal, false, {0, 2, 3, 1, 4}},
        {stock_column::kBuyTotal, true, {0, 1, 4, 3, 2}},
        // Rates without their sign of percent; an empty text is lowest.
        {9, false, {0, 2, 3, 4, 1}},
        // Dates by the day they stand for: 99 is 1999, before 25 and 26.
        {held_column::kDate, false, {0, 3, 2, 1, 4}},
        // Names by their GBK bytes: pinyin order (Ning, Pu, Wan, Zhao).
        {stock_column::kName, false, {0, 4, 1, 2, 3}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(view(LedgerList::Holdings, rows, {}, c.column, c.descending), c.order)
            << "column " << c.column << (c.descending ? " descending" : "");
    }
}

TEST(RowView, TheFilterLooksInCodesNamesAndMemosAndNarrowsDatesOfTransactions) {
    const auto held = holdings();
    const auto deals = trades();
    const struct {
        LedgerList list;
        RowFilter filter;
        std::vector<int> shown;
    } cases[] = {
        {LedgerList::Holdings, {"6000", 0, 0}, {0, 1, 3}},
        {LedgerList::Holdings, {gbk("银行"), 0, 0}, {0, 1, 3}},
        {LedgerList::Holdings, {gbk("持有"), 0, 0}, {0, 1}},                // a memo
        {LedgerList::Holdings, {"ST", 0, 0}, {0, 3}},                       // either case
        {LedgerList::Holdings, {"nothing", 0, 0}, {0}},                     // the summary row stays
        {LedgerList::Holdings, {"", 20260101, 20261231}, {0, 1, 2, 3, 4}},  // no dates here
        {LedgerList::Trades, {"", 20000101, 20251231}, {1, 2}},
        {LedgerList::Trades, {"", 20251231, 0}, {0, 1}},
        {LedgerList::Trades, {"", 0, 19991231}, {3}},
        {LedgerList::Trades, {"600000", 20000101, 0}, {0}},
        {LedgerList::Trades, {gbk("深"), 0, 0}, {2}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(view(c.list, c.list == LedgerList::Trades ? deals : held, c.filter), c.shown)
            << c.filter.text << " " << c.filter.fromDate << "-" << c.filter.toDate;
    }
    // Filtered and ordered at once.
    EXPECT_EQ(view(LedgerList::Trades, deals, {"", 20000101, 0}, kMovementDateColumn),
              (std::vector{2, 1, 0}));
}

TEST(RowView, TextIsMatchedOnCharacterBoundaries) {
    // The second byte of "中" and the first of "文" together are no character of the text.
    const std::string text = gbk("中文");
    const std::string straddling = text.substr(1, 2);
    EXPECT_FALSE(containsText(text, straddling));
    EXPECT_TRUE(containsText(text, gbk("文")));
    EXPECT_TRUE(containsText("ABC", "bc"));
    EXPECT_TRUE(containsText("abc", ""));
    EXPECT_FALSE(containsText("ab", "abc"));
}

}  // namespace
}  // namespace tallivan
