#include "market/closing_text_reader.h"

#include <algorithm>
#include <cstdio>
#include <new>
#include <string_view>
#include <unordered_map>

#include "base/numbers.h"
#include "storage/scoped_file.h"

namespace tallivan {
namespace {

constexpr std::size_t kFieldCount = 3;
// A field of this length ends the search: no stock listed after it is found.
constexpr std::size_t kFieldLengthStop = 12;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The close written in the third field, cut (not rounded) to two decimals as written:
// "10.125" gives 10.12. Blanks around it are allowed; anything but a plain decimal number
// (no exponent, no other characters) has no close.
std::optional<double> closeFromField(std::string_view field) {
    while (!field.empty() && (field.front() == ' ' || field.front() == '\t'))
        field.remove_prefix(1);
    while (!field.empty() && (field.back() == ' ' || field.back() == '\t'))
        field.remove_suffix(1);
    std::size_t i = 0;
    if (i < field.size() && (field[i] == '+' || field[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < field.size() && isDigit(field[i]))
        ++i, ++digits;
    std::size_t cut = i;
    if (i < field.size() && field[i] == '.') {
        ++i;
        std::size_t decimals = 0;
        while (i < field.size() && isDigit(field[i]))
            ++i, ++decimals;
        digits += decimals;
        cut = i - decimals + std::min<std::size_t>(decimals, 2);
    }
    if (digits == 0 || i != field.size())
        return std::nullopt;
    return parseMoney(field.substr(0, cut));
}

class ClosingTextReader final : public PriceReader {
  public:
    // One pass over the text in file order, keeping the first line of each code, up to the
    // first field of 12 characters or more. A line that does not hold exactly three fields is
    // skipped whole, so it cannot shift the fields of the lines after it; a last line without
    // its CR may be cut short by the program still writing the file and is ignored too.
    void indexLines(std::string_view text) {
        std::size_t pos = 0;
        while (pos < text.size()) {
            const std::size_t cr = text.find('\r', pos);
            if (cr == std::string_view::npos)
                return;
            const std::string_view line = text.substr(pos, cr - pos);
            pos = cr + 1;
            if (pos < text.size() && text[pos] == '\n')
                ++pos;

            std::string_view fields[kFieldCount];
            std::size_t count = 0;
            std::size_t start = 0;
            for (;;) {
                const std::size_t comma = line.find(',', start);
                const std::size_t end = comma == std::string_view::npos ? line.size() : comma;
                if (end - start >= kFieldLengthStop)
                    return;
                if (count < kFieldCount)
                    fields[count] = line.substr(start, end - start);
                ++count;
                if (comma == std::string_view::npos)
                    break;
                start = comma + 1;
            }
            if (count == kFieldCount)
                closes_.emplace(std::string(fields[0]), closeFromField(fields[2]));
        }
    }

    std::optional<double> closeOf(const std::string& code) override {
        const auto found = closes_.find(code);
        return found == closes_.end() ? std::nullopt : found->second;
    }

  private:
    std::unordered_map<std::string, std::optional<double>> closes_;
};

}  // namespace

std::string closingTextFileName(const Date& today) {
    char name[48];
    std::snprintf(name, sizeof name, "%04d%02d%02d.txt", today.year, today.month, today.day);
    return name;
}

PriceReaderOpening openClosingTextReader(FileSystem& fs, const std::string& directory,
                                         const Date& today) {
    const std::string path = directory + "/" + closingTextFileName(today);
    ScopedFile file(fs, path, OpenMode::Read);
    if (!file.isOpen())
        return {PriceSourceStatus::MissingFile, path, nullptr};

    const std::int64_t size = fs.size(file.handle());
    std::string text;
    if (size <= 0 || static_cast<std::uint64_t>(size) > text.max_size())
        return {PriceSourceStatus::NoData, {}, nullptr};
    try {
        text.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return {PriceSourceStatus::NoData, {}, nullptr};
    }
    const std::int64_t got = fs.read(file.handle(), text.data(), text.size());
    file.close();
    if (got <= 0)
        return {PriceSourceStatus::NoData, {}, nullptr};
    text.resize(static_cast<std::size_t>(got));

    auto reader = std::make_unique<ClosingTextReader>();
    reader->indexLines(text);
    return {PriceSourceStatus::Ready, {}, std::move(reader)};
}

}  // namespace tallivan
