// The columns of a statement, recognised by their captions: every broker names them its own
// way, so each field has a table of the names it goes by.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "statement/statement_text.h"

namespace tallivan {

enum class StatementField {
    Date,       // 成交日期 / 发生日期 / 交收日期 / 日期
    Time,       // 成交时间
    Operation,  // 业务名称 / 操作 / 摘要 / 买卖标志 / 委托类别
    Code,       // 证券代码
    Name,       // 证券名称
    Shares,     // 成交数量 / 成交股数 / 发生数量
    Price,      // 成交价格 / 成交均价 / 成交价
    Amount,     // 成交金额
    NetAmount,  // 发生金额 / 清算金额 / 收付金额
    TotalFee,   // 总费用
    Id,         // 成交编号 / 合同编号 / 委托编号: the broker's number of the trade
};
constexpr std::size_t kStatementFieldCount = 11;

// Where each field stands in a statement's lines. When a statement has a field under two of its
// names, the name listed first above wins (成交日期 before 交收日期).
struct StatementColumns {
    std::array<std::optional<std::size_t>, kStatementFieldCount> at{};
    // Every column that names the operation, the winning one first: a row whose winning cell
    // says nothing the program knows may say it in another.
    std::vector<std::size_t> operations;
    // The columns of single fees (手续费, 印花税, 过户费 …), summed when there is no total;
    // each fee's column is counted once even when the statement has it twice.
    std::vector<std::size_t> feeParts;
    std::vector<std::string> feePartNames;  // their captions (GBK), as the header has them

    std::optional<std::size_t> operator[](StatementField field) const {
        return at[static_cast<std::size_t>(field)];
    }
    // The rightmost column the statement's rows are read from.
    std::size_t lastColumn() const;
};

// The columns the captions of `header` name. A header is recognised when it names the date,
// the operation and at least one of the shares, the amount and the net amount.
std::optional<StatementColumns> recogniseHeader(const std::vector<std::string>& header);

// How many of the cells are captions the program knows: a line of two or more, below a
// statement's rows, is the header of another table.
std::size_t knownCaptions(const std::vector<std::string>& cells);

// The header among the first lines: the first line that is recognised (title lines before it
// are passed over). Its index in `lines`, with its columns.
struct StatementHeader {
    std::size_t line = 0;
    StatementColumns columns;
};
std::optional<StatementHeader> findHeader(const std::vector<StatementLine>& lines);

}  // namespace tallivan
