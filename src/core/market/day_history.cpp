#include "market/day_history.h"

#include <algorithm>

#include "base/little_endian.h"
#include "base/numbers.h"
#include "market/day_file_reader.h"

namespace tallivan {
namespace {

constexpr std::size_t kRecordSize = 40;
constexpr std::size_t kCloseOffset = 16;

class DayFileHistory final : public ClosingPrices {
  public:
    DayFileHistory(FileSystem& fs, std::string directory)
        : fs_(fs), directory_(std::move(directory)) {}

    std::optional<double> closeBetween(const std::string& code, std::int32_t from,
                                       std::int32_t to) override {
        const std::vector<DayClose>& days = daysOf(code);
        // The last day on or before `to`.
        const auto after =
            std::upper_bound(days.begin(), days.end(), to,
                             [](std::int32_t key, const DayClose& day) { return key < day.date; });
        if (after == days.begin() || std::prev(after)->date < from)
            return std::nullopt;
        return std::prev(after)->close;
    }

  private:
    const std::vector<DayClose>& daysOf(const std::string& code) {
        auto it = days_.find(code);
        if (it == days_.end()) {
            const std::optional<std::string> path = findDayFile(fs_, directory_, code);
            const std::optional<std::string> bytes =
                path ? readWholeFile(fs_, *path) : std::nullopt;
            it = days_.emplace(code, bytes ? dayClosesOf(*bytes) : std::vector<DayClose>{}).first;
        }
        return it->second;
    }

    FileSystem& fs_;
    std::string directory_;
    std::unordered_map<std::string, std::vector<DayClose>> days_;
};

}  // namespace

std::vector<DayClose> dayClosesOf(const std::string& bytes) {
    std::vector<DayClose> days;
    if (bytes.size() % kRecordSize != 0)
        return days;
    days.reserve(bytes.size() / kRecordSize);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t at = 0; at < bytes.size(); at += kRecordSize) {
        const std::uint32_t date = loadLittleEndian<std::uint32_t>(data + at);
        const std::uint32_t close = loadLittleEndian<std::uint32_t>(data + at + kCloseOffset);
        if (close == 0 || plausibleDayDate(date) == 0)
            continue;
        days.push_back({static_cast<std::int32_t>(date),
                        static_cast<double>(static_cast<Extended>(close) * 0.001L)});
    }
    // Written oldest first; a file that is not stays usable. A date written twice counts once,
    // the later record winning.
    std::stable_sort(days.begin(), days.end(),
                     [](const DayClose& a, const DayClose& b) { return a.date < b.date; });
    std::vector<DayClose> unique;
    unique.reserve(days.size());
    for (const DayClose& day : days) {
        if (!unique.empty() && unique.back().date == day.date)
            unique.back() = day;
        else
            unique.push_back(day);
    }
    return unique;
}

std::unique_ptr<ClosingPrices> openDayFileHistory(FileSystem& fs, const std::string& directory) {
    if (directory.empty() || !fs.isDirectory(directory))
        return nullptr;
    return std::make_unique<DayFileHistory>(fs, directory);
}

}  // namespace tallivan
