#include "statement/html_table_reader.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace tallivan {

namespace {

// How far into the file the page's first tag is looked for.
constexpr std::size_t kHtmlSniffBytes = 1024;

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (lower(text[i]) != prefix[i])
            return false;
    }
    return true;
}

// The name of the tag that starts at `text` ("<td class=x>" → "td", "</tr>" → "/tr").
std::string tagName(std::string_view tag) {
    std::string name;
    for (std::size_t i = 1; i < tag.size(); ++i) {
        const char c = tag[i];
        if (std::isalnum(static_cast<unsigned char>(c)) || (c == '/' && i == 1) || c == '!')
            name += lower(c);
        else
            break;
    }
    return name;
}

// A character reference (&amp;, &nbsp;, &#39;, &#x27;) at `text`: its character and length.
// Characters beyond ASCII by number cannot be written in GBK here and become "?".
std::pair<std::string, std::size_t> characterReference(std::string_view text) {
    static constexpr std::pair<std::string_view, char> named[] = {
        {"&nbsp;", ' '}, {"&amp;", '&'},  {"&lt;", '<'},
        {"&gt;", '>'},   {"&quot;", '"'}, {"&apos;", '\''}};
    for (const auto& [name, c] : named) {
        if (startsWithNoCase(text, name))
            return {std::string(1, c), name.size()};
    }
    if (text.size() > 2 && text[1] == '#') {
        const bool hex = lower(text[2]) == 'x';
        std::size_t i = hex ? 3 : 2;
        unsigned long value = 0;
        const std::size_t first = i;
        while (i < text.size() && i < first + 8 &&
               (hex ? std::isxdigit(static_cast<unsigned char>(text[i]))
                    : std::isdigit(static_cast<unsigned char>(text[i])))) {
            value = value * (hex ? 16 : 10) + std::stoul(std::string(1, text[i]), nullptr, 16);
            ++i;
        }
        if (i > first && i < text.size() && text[i] == ';') {
            const char c = value >= 0x20 && value < 0x7F ? static_cast<char>(value) : '?';
            return {std::string(1, value == 0xA0 ? ' ' : c), i + 1};
        }
    }
    return {"&", 1};
}

}  // namespace

bool looksLikeHtml(std::string_view text) {
    text = text.substr(0, kHtmlSniffBytes);
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos || text[start] != '<')
        return false;
    for (std::size_t at = text.find('<'); at != std::string_view::npos;
         at = text.find('<', at + 1)) {
        const std::string name = tagName(text.substr(at));
        if (name == "html" || name == "table" || name == "meta" || name == "head" || name == "body")
            return true;
    }
    return false;
}

std::vector<StatementLine> readHtmlTables(std::string_view text) {
    std::vector<StatementLine> lines;
    StatementLine line;
    std::string cell;
    bool inCell = false;
    bool inRow = false;
    int number = 0;
    const auto endCell = [&] {
        if (inCell)
            line.cells.push_back(std::move(cell));
        cell.clear();
        inCell = false;
    };
    const auto endRow = [&] {
        endCell();
        if (inRow) {
            line.number = ++number;
            lines.push_back(std::move(line));
        }
        line = StatementLine{};
        inRow = false;
    };
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '<') {
            if (text.substr(i).starts_with("<!--")) {
                const std::size_t close = text.find("-->", i + 4);
                i = close == std::string_view::npos ? text.size() : close + 3;
                continue;
            }
            const std::size_t close = text.find('>', i);
            const std::string name = tagName(text.substr(
                i, close == std::string_view::npos ? std::string_view::npos : close - i));
            i = close == std::string_view::npos ? text.size() : close + 1;
            if (name == "script" || name == "style") {
                const std::size_t end = text.find("</", i);
                i = end == std::string_view::npos ? text.size() : end;
            } else if (name == "tr") {
                endRow();
                inRow = true;
            } else if (name == "/tr") {
                endRow();
            } else if (name == "td" || name == "th") {
                endCell();
                inRow = true;
                inCell = true;
            } else if (name == "/td" || name == "/th") {
                endCell();
            } else if (name == "br" && inCell) {
                cell += ' ';
            } else if (name == "/table") {
                endRow();
                // A blank line between two tables: the first one ends there.
                lines.push_back(StatementLine{++number, {}, false});
            }
            continue;
        }
        if (c == '&') {
            const auto [character, length] = characterReference(text.substr(i));
            if (inCell)
                cell += character;
            i += length;
            continue;
        }
        if (inCell)
            cell += c == '\r' || c == '\n' || c == '\t' ? ' ' : c;
        ++i;
    }
    endRow();
    return lines;
}

}  // namespace tallivan
