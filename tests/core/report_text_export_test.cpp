// The text export's layout on rows built by hand: cells and memos that are too long, summary
// rows, and file names.
#include "report/text_export.h"

#include <gtest/gtest.h>

#include "base/gbk.h"

namespace tallivan {
namespace {

LedgerRow rowOf(LedgerList list, const std::vector<std::string>& texts, bool summary = false) {
    LedgerRow row = makeRow(list, summary ? std::nullopt : std::optional<ItemRef>(ItemRef{}));
    for (std::size_t c = 0; c < texts.size(); ++c)
        row.setText(static_cast<int>(c + 1), texts[c]);
    return row;
}

TEST(TextExportLayout, LongTextsAreCutToTheirWidthNeverInsideACharacter) {
    const std::vector<LedgerRow> rows = {
        rowOf(LedgerList::Sold, {gbk("统计"), gbk("已卖股票")}, true),
        rowOf(LedgerList::Sold, {"123456789012345", "a" + gbk("一二三四五六七"), "", "", "", "", "",
                                 "", "", "", "m" + gbk("一二三四五六七八九十一二三四五")}),
        rowOf(LedgerList::Sold, {"1", "", "", "", "", "", "", "", "", "", std::string(40, 'z')}),
    };
    const std::string text = exportText(LedgerList::Sold, rows);
    ASSERT_EQ(text.size(), 3u * 174);
    const std::string first = text.substr(174, 174);
    EXPECT_EQ(first.substr(0, 14), "12345678901234") << "the first 14 bytes";
    EXPECT_EQ(first.substr(14, 14), " a" + gbk("一二三四五六")) << "no half character";
    EXPECT_EQ(first.substr(140), "  m" + gbk("一二三四五六七八九十一二三四") + " \r\n");
    EXPECT_EQ(text.substr(2 * 174 + 140), "  " + std::string(30, 'z') + "\r\n");
}

TEST(TextExportLayout, FileNamesKeepTheNodeNameWithoutSeparators) {
    const struct {
        LedgerList list;
        std::string name;
        std::string file;
    } cases[] = {
        {LedgerList::Holdings, gbk("账户甲"), gbk("持有_账户甲.txt")},
        {LedgerList::Sold, gbk("账户甲"), gbk("卖出_账户甲.txt")},
        {LedgerList::Trades, "", gbk("交易_.txt")},
        {LedgerList::Funds, "../..", gbk("资金_.._...txt")},
        {LedgerList::Funds, "/a\\b/", gbk("资金__a_b_.txt")},
        {LedgerList::Funds, gbk("乗") + "\\", gbk("资金_乗_.txt")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(exportFileName(c.list, c.name), c.file) << gbkToUtf8(c.name);
}

}  // namespace
}  // namespace tallivan
