#include "statement/statement_operations.h"

#include <unordered_map>
#include <vector>

#include "base/gbk.h"
#include "statement/statement_cells.h"
#include "statement/statement_names.h"

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
        std::unordered_map<std::string, OperationMeaning> all;
        for (const auto& [operation, reason, texts] : operationNames()) {
            for (const char* text : texts)
                all.emplace(withOneSpelling(gbk(text)), OperationMeaning{operation, gbk(reason)});
        }
        return all;
    }();
    return table;
}

}  // namespace

OperationMeaning operationMeaning(std::string_view text) {
    const auto it = meanings().find(withOneSpelling(withoutBracketedTail(text)));
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
