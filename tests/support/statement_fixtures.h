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

}  // namespace tallivan::testing
