#include "report/csv_export.h"

#include "base/gbk.h"
#include "base/numbers.h"
#include "report/text_export.h"

namespace tallivan {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

// "YY-MM-DD" as "YYYY-MM-DD", read as the lists read it; any other text stays as it is.
std::string fullDate(std::string_view text) {
    if (text.size() != 8 || text[2] != '-' || text[5] != '-')
        return std::string(text);
    const std::int32_t key = dateKey(text);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", key / 10000, key / 100 % 100, key % 100);
    return buf;
}

template <class FieldOf>
void appendLine(std::string& out, int fields, FieldOf fieldOf) {
    for (int i = 0; i < fields; ++i) {
        if (i > 0)
            out += ',';
        out += csvField(fieldOf(i));
    }
    out += kLineEnd;
}

}  // namespace

std::string csvField(std::string_view text) {
    std::string field(text);
    const bool formula = !text.empty() &&
                         (text[0] == '=' || text[0] == '+' || text[0] == '-' || text[0] == '@') &&
                         !parseMoney(text.back() == '%' ? text.substr(0, text.size() - 1) : text);
    if (formula)
        field.insert(0, 1, '\'');
    if (field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (char c : field) {
        quoted += c;
        if (c == '"')
            quoted += '"';
    }
    return quoted + '"';
}

std::string csvFileName(LedgerList list, std::string_view nodeName) {
    return exportFileName(list, nodeName, ".csv");
}

std::string yearlyCsvFileName(std::string_view nodeName) {
    return exportFileName("年度_", nodeName, ".csv");
}

std::string listCsv(LedgerList list, const std::vector<LedgerRow>& rows) {
    // Written in GBK and turned into UTF-8 at once: quotes, commas, line breaks and the
    // characters that start a formula are the same single bytes in both, and never the second
    // byte of a GBK character.
    const int columns = exportedColumns(list);
    const std::vector<ColumnInfo>& captions = columnsOf(list);
    std::string gbkText;
    appendLine(gbkText, columns, [&captions](int i) -> std::string {
        return captions[static_cast<std::size_t>(i) + 1].caption;
    });
    for (const LedgerRow& row : rows) {
        if (row.isSummary())
            continue;
        appendLine(gbkText, columns, [&row, list](int i) {
            const std::string_view text = row.text(i + 1);
            return i + 1 == dateColumnOf(list) ? fullDate(text) : std::string(text);
        });
    }
    return std::string(kByteOrderMark) + gbkToUtf8(gbkText);
}

std::string yearlyCsv(const YearlyResults& results) {
    std::string out(kByteOrderMark);
    out += "年份,已实现盈亏,分红,费用,存入,支取";
    out += kLineEnd;
    const auto line = [&out](const std::string& year, const YearResult& r) {
        out += year;
        for (std::int64_t v : {r.realised, r.dividends, r.fees, r.deposits, r.withdrawals}) {
            out += ',';
            out += milliText(v);
        }
        out += kLineEnd;
    };
    for (const YearResult& r : results.years)
        line(std::to_string(r.year), r);
    line("合计", results.total);
    return out;
}

}  // namespace tallivan
