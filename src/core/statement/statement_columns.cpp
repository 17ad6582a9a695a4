#include "statement/statement_columns.h"

#include <algorithm>
#include <initializer_list>
#include <string_view>

#include "base/gbk.h"
#include "statement/statement_cells.h"
#include "statement/statement_names.h"

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
        std::vector<Alias> all;
        for (const auto& [field, captions] : captionNames()) {
            int rank = 0;
            for (const char* caption : captions)
                all.push_back({gbk(caption), field, rank++});
        }
        return all;
    }();
    return table;
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
        const std::string_view caption = withoutBracketedTail(header[i]);
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
                columns.feePartNames.emplace_back(caption);
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

std::size_t knownCaptions(const std::vector<std::string>& cells) {
    std::size_t n = 0;
    for (const std::string& cell : cells) {
        const std::string_view caption = withoutBracketedTail(cell);
        n += std::any_of(aliases().begin(), aliases().end(),
                         [&](const Alias& alias) { return alias.caption == caption; });
    }
    return n;
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
