// Broker statements written by the tests: one history of trades, dividends and fund movements
// in the layouts of several brokers' trading clients (GBK text with ="…" cells and title lines,
// GBK comma-separated, UTF-8 with a byte-order mark, a workbook).
#pragma once

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/gbk.h"
#include "support/xlsx_writer.h"

namespace tallivan::testing {

// One row of a history, UTF-8, numbers as the statement writes them.
struct HistoryRow {
    std::string date;  // YYYYMMDD
    std::string time;  // HH:MM:SS or empty
    std::string operation;
    std::string code;
    std::string name;
    std::string shares;
    std::string price;
    std::string commission;
    std::string stampTax;
    std::string transferFee;
    std::string net;  // signed: money received positive
};

inline double number(const std::string& text) {
    return text.empty() ? 0.0 : std::stod(text);
}

inline std::string twoDecimals(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.2f", v + (v >= 0 ? 1e-9 : -1e-9));
    return buf;
}

inline std::string amountOf(const HistoryRow& r) {
    return twoDecimals(number(r.shares) * number(r.price));
}

inline std::string totalFeeOf(const HistoryRow& r) {
    return twoDecimals(number(r.commission) + number(r.stampTax) + number(r.transferFee));
}

// A history that touches every kind of row an import must handle. Its trades, typed through
// the commands in date order, are listed by typeHistory in the import tests.
inline std::vector<HistoryRow> sampleHistory() {
    return {
        {"20230201", "09:00:00", "银行转证券", "", "", "0", "0", "", "", "", "100000.00"},
        {"20230214", "09:31:22", "证券买入", "600000", "浦发银行", "1000", "10.00", "5.00", "",
         "0.20", "-10005.20"},
        {"20230220", "10:02:03", "证券买入", "000001", "平安银行", "2000", "12.50", "7.50", "", "",
         "-25007.50"},
        {"20230301", "14:11:00", "证券卖出", "600000", "浦发银行", "500", "11.00", "5.00", "5.50",
         "0.11", "5489.39"},
        {"20230510", "", "红利入账", "000001", "平安银行", "2000", "0", "", "", "", "300.00"},
        {"20230512", "", "股息红利税补缴", "000001", "平安银行", "0", "0", "", "", "", "-30.00"},
        {"20230601", "", "红股入账", "000001", "平安银行", "400", "0", "", "", "", "0.00"},
        {"20230610", "15:30:00", "证券转银行", "", "", "0", "0", "", "", "", "-5000.00"},
        {"20230621", "", "利息归本", "", "", "0", "0", "", "", "", "1.23"},
        {"20230703", "09:40:00", "融券回购", "204001", "GC001", "10", "2.50", "", "", "",
         "-1000.00"},
        {"20230704", "", "指定交易", "", "", "0", "0", "", "", "", "0.00"},
        {"20230801", "", "配股缴款", "600000", "浦发银行", "300", "8.00", "", "", "", "-2400.00"},
        {"20230815", "", "新股申购", "732999", "某某申购", "1000", "10.00", "", "", "", "0.00"},
        {"20230901", "", "新股入账", "603999", "某某股份", "1000", "5.00", "", "", "", "0.00"},
    };
}

// 帐 for 账, as some brokers write it.
inline std::string oldSpelling(std::string text) {
    const std::string usual = "账";
    for (std::size_t at = text.find(usual); at != std::string::npos; at = text.find(usual, at))
        text.replace(at, usual.size(), "帐");
    return text;
}

// A statement's table: its captions, and the cell of each caption for each row.
struct Layout {
    std::vector<std::string> captions;
    std::function<std::string(const std::string& caption, const HistoryRow&)> cell;
};

inline std::vector<std::vector<std::string>> tableOf(const Layout& layout,
                                                     const std::vector<HistoryRow>& history) {
    std::vector<std::vector<std::string>> table{layout.captions};
    for (const HistoryRow& r : history) {
        std::vector<std::string> cells;
        for (const std::string& caption : layout.captions)
            cells.push_back(layout.cell(caption, r));
        table.push_back(std::move(cells));
    }
    return table;
}

inline std::string joined(const std::vector<std::vector<std::string>>& table, char separator,
                          const std::string& lineEnd) {
    std::string text;
    for (const auto& cells : table) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            text += (i ? std::string(1, separator) : std::string()) + cells[i];
        text += lineEnd;
    }
    return text;
}

// A full export: GBK, tab-separated, CR LF, two title lines, codes, dates and numbers of
// record written ="…", settlement date as the date.
inline std::string tabStatement(const std::vector<HistoryRow>& history) {
    const auto formula = [](const std::string& text) { return "=\"" + text + "\""; };
    const Layout layout{
        {"交收日期", "成交时间", "业务名称", "证券代码", "证券名称",     "成交价格",   "成交数量",
         "剩余数量", "成交金额", "总费用",   "清算金额", "资金本次余额", "净佣金",     "印花税",
         "过户费",   "清算费",   "交易规费", "经手费",   "证管费",       "财汇局征费", "其他费",
         "币种",     "成交编号", "股东代码", "资金帐号"},
        [&](const std::string& c, const HistoryRow& r) -> std::string {
            if (c == "交收日期")
                return formula(r.date);
            if (c == "成交时间")
                return formula(r.time);
            if (c == "业务名称")
                return r.operation;
            if (c == "证券代码")
                return formula(r.code);
            if (c == "证券名称")
                return r.name;
            if (c == "成交价格")
                return r.price;
            if (c == "成交数量")
                return r.shares;
            if (c == "成交金额")
                return amountOf(r);
            if (c == "总费用")
                return totalFeeOf(r);
            if (c == "清算金额")
                return r.net;
            if (c == "净佣金")
                return r.commission.empty() ? "0.00" : r.commission;
            if (c == "印花税")
                return r.stampTax.empty() ? "0.00" : r.stampTax;
            if (c == "过户费")
                return r.transferFee.empty() ? "0.00" : r.transferFee;
            if (c == "币种")
                return "人民币";
            if (c == "成交编号")
                return formula(r.date + "01");
            if (c == "资金帐号")
                return formula("12345678");
            return "0.00";
        }};
    return gbk("历史成交查询\r\n起始日期:20230101\t终止日期:20231231\r\n") +
           gbk(joined(tableOf(layout, history), '\t', "\r\n"));
}

// Another broker: GBK, comma-separated, the header first, codes without their leading zeros,
// 帐 spelt the old way, the fees as three columns without a total.
inline std::string commaStatement(const std::vector<HistoryRow>& history) {
    const Layout layout{
        {"成交日期", "摘要", "证券名称", "合同编号", "成交数量", "成交均价", "成交金额", "手续费",
         "印花税", "其他杂费", "发生金额", "股东帐户", "备注", "操作", "证券代码"},
        [](const std::string& c, const HistoryRow& r) -> std::string {
            if (c == "成交日期")
                return r.date;
            if (c == "摘要" || c == "操作")
                return oldSpelling(r.operation);
            if (c == "证券名称")
                return r.name;
            if (c == "合同编号")
                return "H" + r.date;
            if (c == "成交数量")
                return r.shares;
            if (c == "成交均价")
                return r.price;
            if (c == "成交金额")
                return amountOf(r);
            if (c == "手续费")
                return r.commission;
            if (c == "印花税")
                return r.stampTax;
            if (c == "其他杂费")
                return r.transferFee;
            if (c == "发生金额")
                return r.net;
            if (c == "证券代码")
                return r.code.empty() ? "" : std::to_string(std::stoi(r.code));
            return "";
        }};
    return gbk(joined(tableOf(layout, history), ',', "\r\n"));
}

// A third broker's columns, named the way it names them.
inline Layout thirdBrokerLayout() {
    return {{"发生日期", "成交时间", "买卖标志", "证券代码", "证券名称", "成交股数", "成交价",
             "成交金额", "佣金", "印花税", "过户费", "收付金额", "合同号"},
            [](const std::string& c, const HistoryRow& r) -> std::string {
                if (c == "发生日期")
                    return r.date.substr(0, 4) + "-" + r.date.substr(4, 2) + "-" +
                           r.date.substr(6, 2);
                if (c == "成交时间")
                    return r.time;
                if (c == "买卖标志")
                    return r.operation;
                if (c == "证券代码")
                    return r.code;
                if (c == "证券名称")
                    return r.name;
                if (c == "成交股数")
                    return r.shares;
                if (c == "成交价")
                    return r.price;
                if (c == "成交金额")
                    return amountOf(r);
                if (c == "佣金")
                    return r.commission;
                if (c == "印花税")
                    return r.stampTax;
                if (c == "过户费")
                    return r.transferFee;
                if (c == "收付金额")
                    return r.net;
                return r.date + "7";
            }};
}

// The third broker's export: UTF-8 with a byte-order mark, comma-separated, LF, dates written
// 2023-02-14, the newest row first.
inline std::string utf8Statement(std::vector<HistoryRow> history) {
    std::reverse(history.begin(), history.end());
    return "\xEF\xBB\xBF" + joined(tableOf(thirdBrokerLayout(), history), ',', "\n");
}

// The third broker's columns in a workbook: codes and dates stored as numbers.
inline std::string workbookStatement(const std::vector<HistoryRow>& history) {
    Layout layout = thirdBrokerLayout();
    const auto text = layout.cell;
    layout.cell = [text](const std::string& c, const HistoryRow& r) {
        return c == "发生日期" ? r.date : text(c, r);
    };
    return xlsxWorkbook(tableOf(layout, history));
}

// The texts other brokers give the operations of the history: names in brackets after a trade,
// 红利 for a dividend, the repo and the money of the bank by other names.
inline std::string otherOperationText(const HistoryRow& r) {
    static const std::vector<std::pair<std::string, std::string>> texts = {
        {"银行转证券", "银行转存"}, {"证券转银行", "银行转取"},
        {"红利入账", "红利"},       {"股息红利税补缴", "股息红利差异扣税"},
        {"红股入账", "送股"},       {"融券回购", "质押回购拆出"},
        {"新股入账", "新股入帐"}};
    if (r.operation == "证券买入" || r.operation == "证券卖出")
        return r.operation + "(" + r.name + ")";
    for (const auto& [usual, other] : texts) {
        if (r.operation == usual)
            return other;
    }
    return r.operation;
}

inline std::string plusCents(const std::string& a, const std::string& b) {
    return twoDecimals(number(a) + number(b));
}

// A broker whose fee columns overlap: 手续费 holds the commission and the transfer fee, 佣金 is
// the commission again and 过户费 the transfer fee again; the net amount is 总发生金额; captions
// carry blanks, dates a serial number after them, sales negative shares, codes blanks.
inline Layout overlappingFeesLayout() {
    return {{" 成交日期", "买卖类别 ", "证券代码", "证券名称", "成交数量", "成交价格", "手续费",
             "佣金", "过户费", "印花税", "总发生金额", "委托编号"},
            [](const std::string& c, const HistoryRow& r) -> std::string {
                const std::string bare =
                    c.substr(c.find_first_not_of(' '),
                             c.find_last_not_of(' ') + 1 - c.find_first_not_of(' '));
                if (bare == "成交日期")
                    return r.date + "000012";
                if (bare == "买卖类别")
                    return otherOperationText(r);
                if (bare == "证券代码")
                    return r.code.empty() ? "" : " " + r.code + " ";
                if (bare == "证券名称")
                    return r.name;
                if (bare == "成交数量")
                    return r.operation == "证券卖出" ? "-" + r.shares : r.shares;
                if (bare == "成交价格")
                    return r.price;
                if (bare == "手续费")
                    return plusCents(r.commission, r.transferFee);
                if (bare == "佣金")
                    return r.commission.empty() ? "0" : r.commission;
                if (bare == "过户费")
                    return r.transferFee.empty() ? "0" : r.transferFee;
                if (bare == "印花税")
                    return r.stampTax.empty() ? "0" : r.stampTax;
                if (bare == "总发生金额")
                    return r.net;
                return "W" + r.date + r.code;
            }};
}

// Its export: a .csv that is tab-separated, a title line, and the totals and the holdings
// below a blank line.
inline std::string overlappingFeesStatement(const std::vector<HistoryRow>& history) {
    return gbk(
        "对账单\r\n" + joined(tableOf(overlappingFeesLayout(), history), '\t', "\r\n") +
        "\r\n合计\t\t\t\t\t\t\t\t\t\t\t\r\n证券代码\t证券名称\t股票余额\r\n600000\t浦发银行\t"
        "800\r\n");
}

// A broker whose "Excel" export (.xls) is a web page: a title row, "---" for nothing, codes
// without their leading zeros, and the holdings in a second table.
inline std::string htmlStatement(const std::vector<HistoryRow>& history) {
    Layout layout = thirdBrokerLayout();
    const auto text = layout.cell;
    layout.cell = [text](const std::string& c, const HistoryRow& r) -> std::string {
        std::string cell = text(c, r);
        if (c == "买卖标志")
            cell = otherOperationText(r);
        if (c == "证券代码" && !cell.empty())
            cell = std::to_string(std::stoi(cell));
        if (c == "证券名称")
            cell = cell.empty() ? "" : cell + "&nbsp;";
        return cell.empty() ? "---" : cell;
    };
    std::string page =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; "
        "charset=gbk\"></head><body>\n<table border=1>\n<tr><td colspan=13>"
        "历史成交 &amp; 资金</td></tr>\n";
    bool header = true;
    for (const auto& cells : tableOf(layout, history)) {
        page += "<tr>";
        for (const std::string& cell : cells)
            page += (header ? "<th>" : "<td style=\"mso-number-format:'\\@'\">") + cell +
                    (header ? "</th>" : "</td>");
        page += "</tr>\n";
        header = false;
    }
    page +=
        "</table>\n<table><tr><th>证券代码</th><th>证券名称</th><th>股票余额</th></tr>"
        "<tr><td>600000</td><td>浦发银行</td><td>800</td></tr></table></body></html>\n";
    return gbk(page);
}

// The columns of a trading client's text export.
inline Layout commaLayoutForText() {
    Layout layout = thirdBrokerLayout();
    const auto text = layout.cell;
    layout.cell = [text](const std::string& c, const HistoryRow& r) {
        return c == "买卖标志" ? otherOperationText(r) : text(c, r);
    };
    return layout;
}

// The plain text export of a trading client: columns aligned with blanks (a GBK character as
// wide as two), title lines, empty cells as blanks, the totals below a blank line.
inline std::string alignedTextStatement(const std::vector<HistoryRow>& history) {
    const auto table = tableOf(commaLayoutForText(), history);
    std::vector<std::size_t> widths(table[0].size(), 0);
    for (const auto& cells : table) {
        for (std::size_t i = 0; i < cells.size(); ++i)
            widths[i] = std::max(widths[i], gbk(cells[i]).size());
    }
    std::string text = gbk("历史成交查询\r\n起始日期: 20230101  终止日期: 20231231\r\n");
    for (const auto& cells : table) {
        std::string line;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const std::string cell = gbk(cells[i]);
            line += cell + std::string(widths[i] - cell.size() + 2, ' ');
        }
        text += line + "\r\n";
    }
    return text + gbk("\r\n合计: 14 笔\r\n");
}

// A workbook whose dates are day numbers and times fractions of a day, as a spreadsheet keeps
// them.
inline std::string serialDatesWorkbook(const std::vector<HistoryRow>& history) {
    Layout layout = thirdBrokerLayout();
    const auto text = layout.cell;
    layout.cell = [text](const std::string& c, const HistoryRow& r) -> std::string {
        if (c == "发生日期") {
            // Days since 1899-12-30: 2023-01-01 is day 44927.
            static constexpr int firstOfMonth[] = {0,   31,  59,  90,  120, 151,
                                                   181, 212, 243, 273, 304, 334};
            const int month = std::stoi(r.date.substr(4, 2));
            const int day = std::stoi(r.date.substr(6, 2));
            return std::to_string(44927 + firstOfMonth[month - 1] + day - 1) + ".0";
        }
        if (c == "成交时间" && !r.time.empty()) {
            const int seconds = std::stoi(r.time.substr(0, 2)) * 3600 +
                                std::stoi(r.time.substr(3, 2)) * 60 +
                                std::stoi(r.time.substr(6, 2));
            char fraction[32];
            std::snprintf(fraction, sizeof fraction, "%.8f", seconds / 86400.0);
            return fraction;
        }
        return text(c, r);
    };
    return xlsxWorkbook(tableOf(layout, history));
}

}  // namespace tallivan::testing
