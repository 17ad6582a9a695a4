#include "statement/aligned_text_reader.h"

#include <string>

#include "base/gbk.h"

namespace tallivan {

namespace {

// A word of a line and where it stands: GBK bytes are as wide on the screen as they are long,
// so byte offsets are the columns a monospaced export aligned it to.
struct Word {
    std::size_t start = 0;
    std::size_t end = 0;
    std::string_view text;
};

std::vector<Word> wordsOf(std::string_view line) {
    static const std::string wideBlank = gbk("　");
    std::vector<Word> words;
    std::size_t i = 0;
    std::size_t start = std::string_view::npos;
    const auto endWord = [&](std::size_t at) {
        if (start != std::string_view::npos)
            words.push_back({start, at, line.substr(start, at - start)});
        start = std::string_view::npos;
    };
    while (i < line.size()) {
        const std::size_t length = gbkCharLength(line, i);
        const std::string_view character = line.substr(i, length);
        if (character == " " || character == "\t" || character == wideBlank) {
            endWord(i);
        } else if (start == std::string_view::npos) {
            start = i;
        }
        i += length;
    }
    endWord(line.size());
    return words;
}

std::vector<std::string_view> rawLines(std::string_view text, std::size_t maxLines) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (maxLines != 0 && lines.size() == maxLines)
            break;
        if (i == text.size() || text[i] == '\n' || text[i] == '\r') {
            if (i < text.size() || i > start)
                lines.push_back(text.substr(start, i - start));
            if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    return lines;
}

StatementLine wordLine(std::string_view line, int number) {
    StatementLine out;
    out.number = number;
    for (const Word& word : wordsOf(line))
        out.cells.emplace_back(word.text);
    return out;
}

}  // namespace

std::vector<StatementLine> splitAtBlanks(std::string_view text, std::size_t maxLines) {
    std::vector<StatementLine> lines;
    for (const std::string_view line : rawLines(text, maxLines))
        lines.push_back(wordLine(line, static_cast<int>(lines.size()) + 1));
    return lines;
}

std::vector<StatementLine> splitAlignedText(std::string_view text, std::size_t headerLine) {
    const std::vector<std::string_view> raw = rawLines(text, 0);
    std::vector<StatementLine> lines;
    lines.reserve(raw.size());
    std::vector<Word> captions;
    // Where one column ends and the next begins: halfway between their captions.
    std::vector<std::size_t> bounds;
    for (std::size_t n = 0; n < raw.size(); ++n) {
        const int number = static_cast<int>(n) + 1;
        if (n <= headerLine) {
            lines.push_back(wordLine(raw[n], number));
            if (n == headerLine) {
                captions = wordsOf(raw[n]);
                for (std::size_t k = 1; k < captions.size(); ++k)
                    bounds.push_back((captions[k - 1].end + captions[k].start) / 2);
            }
            continue;
        }
        const std::vector<Word> words = wordsOf(raw[n]);
        // A line of nothing stays blank: it ends the table.
        if (words.empty() || captions.empty()) {
            lines.push_back(wordLine(raw[n], number));
            continue;
        }
        StatementLine line;
        line.number = number;
        line.cells.resize(captions.size());
        for (const Word& word : words) {
            const std::size_t middle = (word.start + word.end) / 2;
            std::size_t column = 0;
            while (column < bounds.size() && middle >= bounds[column])
                ++column;
            std::string& cell = line.cells[column];
            cell += cell.empty() ? std::string_view() : std::string_view(" ");
            cell += word.text;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace tallivan
