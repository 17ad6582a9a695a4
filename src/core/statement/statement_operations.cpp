#include "statement/statement_operations.h"

#include <unordered_map>
#include <vector>

#include "base/gbk.h"
#include "statement/statement_cells.h"

namespace tallivan {

namespace {

// 帐 as 账, so that one spelling in the table serves both.
std::string withOneSpelling(std::string_view text) {
    static const std::string old = gbk("帐");
    static const std::string usual = gbk("账");
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = gbkCharLength(text, i);
        const std::string_view character = text.substr(i, length);
        out += character == old ? std::string_view(usual) : character;
        i += length;
    }
    return out;
}

const std::unordered_map<std::string, OperationMeaning>& meanings() {
    static const std::unordered_map<std::string, OperationMeaning> table = [] {
        using Op = StatementOperation;
        const std::vector<std::pair<OperationMeaning, std::vector<const char*>>> rows = {
            {{Op::Buy, ""}, {"证券买入", "买入", "普通买入", "担保物买入", "买"}},
            {{Op::Sell, ""}, {"证券卖出", "卖出", "普通卖出", "担保物卖出", "卖"}},
            {{Op::Dividend, ""}, {"红利入账", "股息入账", "股息红利"}},
            {{Op::DividendTax, ""},
             {"股息红利税补缴", "股息红利税补", "红利税补缴", "股息个税征收"}},
            {{Op::BonusShares, ""}, {"红股入账", "送股"}},
            {{Op::RightsIssue, ""}, {"配股缴款", "配股入账"}},
            {{Op::NewShares, ""}, {"新股入账"}},
            {{Op::Deposit, ""}, {"银行转证券", "银证转入"}},
            {{Op::Withdrawal, ""}, {"证券转银行", "银证转出"}},
            {{Op::Interest, ""}, {"利息归本"}},
            {{Op::Skipped, "逆回购"}, {"融券回购", "融券购回"}},
            {{Op::Skipped, "指定交易"}, {"指定交易", "撤销指定"}},
            {{Op::Skipped, "撤单"}, {"撤单"}},
            {{Op::Skipped, "托管转入"}, {"托管转入"}},
            {{Op::Skipped, "托管转出"}, {"托管转出"}},
        };
        std::unordered_map<std::string, OperationMeaning> all;
        for (const auto& [meaning, texts] : rows) {
            for (const char* text : texts)
                all.emplace(withOneSpelling(gbk(text)),
                            OperationMeaning{meaning.operation, gbk(meaning.reason)});
        }
        return all;
    }();
    return table;
}

}  // namespace

OperationMeaning operationMeaning(std::string_view text) {
    const auto it = meanings().find(withOneSpelling(trimCell(text)));
    return it == meanings().end() ? OperationMeaning{} : it->second;
}

bool isReverseRepoCode(std::string_view code) {
    return code.size() == 6 && (code.starts_with("204") || code.starts_with("131"));
}

const std::string& reverseRepoReason() {
    static const std::string reason = gbk("逆回购");
    return reason;
}

}  // namespace tallivan
