#include "statement/statement_columns.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "base/gbk.h"
#include "statement/statement_cells.h"

namespace tallivan {

namespace {

// Title lines above the header are few; a header further down is not looked for.
constexpr std::size_t kMostTitleLines = 30;

struct Alias {
    std::string caption;                  // GBK
    std::optional<StatementField> field;  // nothing: a single fee
    int rank = 0;                         // among the names of its field, 0 the first
};

const std::vector<Alias>& aliases() {
    static const std::vector<Alias> table = [] {
        const std::vector<std::pair<std::optional<StatementField>, std::vector<const char*>>>
            names = {
                {StatementField::Date, {"成交日期", "发生日期", "交收日期", "日期"}},
                {StatementField::Time, {"成交时间"}},
                {StatementField::Operation, {"业务名称", "操作", "摘要", "买卖标志", "委托类别"}},
                {StatementField::Code, {"证券代码"}},
                {StatementField::Name, {"证券名称"}},
                {StatementField::Shares, {"成交数量", "成交股数", "发生数量"}},
                {StatementField::Price, {"成交价格", "成交均价", "成交价"}},
                {StatementField::Amount, {"成交金额"}},
                {StatementField::NetAmount, {"发生金额", "清算金额", "收付金额"}},
                {StatementField::TotalFee, {"总费用"}},
                {StatementField::Id, {"成交编号", "合同编号", "合同号"}},
                {std::nullopt,
                 {"手续费", "佣金", "净佣金", "印花税", "过户费", "其他费", "其他杂费", "交易规费",
                  "经手费", "证管费", "结算费", "清算费", "财汇局征费"}},
            };
        std::vector<Alias> all;
        for (const auto& [field, captions] : names) {
            int rank = 0;
            for (const char* caption : captions)
                all.push_back({gbk(caption), field, rank++});
        }
        return all;
    }();
    return table;
}

// A caption as the table knows it: without blanks around it and without a unit in brackets
// after it ("成交价格(元)").
std::string_view bareCaption(std::string_view caption) {
    static const std::string wideOpen = gbk("（");
    caption = trimCell(caption);
    std::size_t cut = caption.find('(');
    cut = std::min(cut, caption.find(wideOpen));
    if (cut != std::string_view::npos && cut > 0)
        caption = trimCell(caption.substr(0, cut));
    return caption;
}

}  // namespace

std::size_t StatementColumns::lastColumn() const {
    std::size_t last = 0;
    for (const auto& column : at) {
        if (column)
            last = std::max(last, *column);
    }
    for (std::size_t column : feeParts)
        last = std::max(last, column);
    for (std::size_t column : operations)
        last = std::max(last, column);
    return last;
}

std::optional<StatementColumns> recogniseHeader(const std::vector<std::string>& header) {
    StatementColumns columns;
    std::array<int, kStatementFieldCount> rankOf{};
    std::vector<std::pair<int, std::size_t>> operations;  // rank, column
    std::vector<std::string_view> feesSeen;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string_view caption = bareCaption(header[i]);
        for (const Alias& alias : aliases()) {
            if (alias.caption != caption)
                continue;
            if (alias.field) {
                const auto f = static_cast<std::size_t>(*alias.field);
                if (!columns.at[f] || alias.rank < rankOf[f]) {
                    columns.at[f] = i;
                    rankOf[f] = alias.rank;
                }
                if (*alias.field == StatementField::Operation)
                    operations.emplace_back(alias.rank, i);
            } else if (std::find(feesSeen.begin(), feesSeen.end(), caption) == feesSeen.end()) {
                feesSeen.push_back(caption);
                columns.feeParts.push_back(i);
            }
            break;
        }
    }
    std::stable_sort(operations.begin(), operations.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [rank, column] : operations)
        columns.operations.push_back(column);
    const bool moves = columns[StatementField::Shares] || columns[StatementField::Amount] ||
                       columns[StatementField::NetAmount];
    if (!columns[StatementField::Date] || !columns[StatementField::Operation] || !moves)
        return std::nullopt;
    return columns;
}

std::optional<StatementHeader> findHeader(const std::vector<StatementLine>& lines) {
    const std::size_t end = std::min(lines.size(), kMostTitleLines + 1);
    for (std::size_t i = 0; i < end; ++i) {
        if (auto columns = recogniseHeader(lines[i].cells))
            return StatementHeader{i, std::move(*columns)};
    }
    return std::nullopt;
}

}  // namespace tallivan
