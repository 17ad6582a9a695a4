#include "statement/imported_ids.h"

namespace tallivan {

namespace {

// A number of a field may hold neither of the separators of the file.
bool fitsTheFile(std::string_view text) {
    return text.find_first_of("\t\r\n") == std::string_view::npos;
}

}  // namespace

std::string importedIdsPath(const std::string& accountPath) {
    return accountPath + ".ids";
}

std::map<std::string, std::string> parseImportedIds(std::string_view text) {
    std::map<std::string, std::string> ids;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t first = line.find('\t');
        const std::size_t second =
            first == std::string_view::npos ? first : line.find('\t', first + 1);
        if (second == std::string_view::npos)
            continue;
        ids[std::string(line.substr(0, second))] = std::string(line.substr(second + 1));
    }
    return ids;
}

std::string importedIdName(const StatementEntry& entry) {
    if (entry.id.empty() || !fitsTheFile(entry.id))
        return {};
    return entry.code + '\t' + entry.id;
}

std::string importedIdLine(const StatementEntry& entry, const std::string& key) {
    // A key is tab-separated texts of a row; a line break cannot be in it.
    return importedIdName(entry) + '\t' + key + '\n';
}

}  // namespace tallivan
