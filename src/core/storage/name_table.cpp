#include "storage/name_table.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "base/gbk.h"
#include "storage/record_reader.h"
#include "storage/scoped_file.h"

namespace tallivan {

namespace {

constexpr std::int64_t kEntrySize = sizeof(NameEntry);
constexpr std::int64_t kKeyOffsetAbove = 10000;
constexpr std::int64_t kKeyShift = 1000000;

}  // namespace

std::optional<std::int32_t> codeKey(std::string_view code) {
    std::size_t i = 0;
    bool negative = false;
    if (!code.empty() && (code[0] == '-' || code[0] == '+')) {
        negative = code[0] == '-';
        i = 1;
    }
    if (i == code.size())
        return std::nullopt;
    std::int64_t value = 0;
    for (; i < code.size(); ++i) {
        if (code[i] < '0' || code[i] > '9')
            return std::nullopt;
        value = value * 10 + (code[i] - '0');
        if (value > std::numeric_limits<std::int32_t>::max() + std::int64_t{1})
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value >= kKeyOffsetAbove)
        value += kKeyShift;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

NameEntry makeNameEntry(std::int32_t key, std::string_view name) {
    NameEntry entry;
    entry.key = key;
    const std::string cut = cutGbk(name, sizeof entry.name);
    std::memcpy(entry.name, cut.data(), cut.size());
    return entry;
}

int NameTable::load(FileSystem& fs) {
    ScopedFile file(fs, kNameTableFileName, OpenMode::Read);
    if (!file.isOpen())
        return -1;
    std::vector<NameEntry> entries;
    const RecordReadResult read = readRecords(fs, file.handle(), 0, entries);
    // A read that fails half-way is taken only when it still knows more names than the table.
    if (!read.reachedEnd && entries.size() <= entries_.size())
        return -1;
    setEntries(std::move(entries));
    return count();
}

void NameTable::setEntries(std::vector<NameEntry> entries) {
    entries_ = std::move(entries);
    firstIndexOfKey_.clear();
    firstIndexOfKey_.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i)
        firstIndexOfKey_.emplace(entries_[i].key, static_cast<int>(i));  // keeps the first
}

int NameTable::nameOfCode(std::string_view code, std::string& name) const {
    name = cutBytes(code, sizeof NameEntry::name);
    const std::optional<std::int32_t> key = codeKey(code);
    if (!key)
        return -1;
    const auto found = firstIndexOfKey_.find(*key);
    if (found == firstIndexOfKey_.end())
        return -1;
    const NameEntry& entry = entries_[static_cast<std::size_t>(found->second)];
    name = fieldText(entry.name, sizeof entry.name);
    return found->second;
}

std::string NameTable::nameOf(std::string_view code) const {
    std::string name;
    nameOfCode(code, name);
    return name;
}

int NameTable::writeNameEntry(FileSystem& fs, int index, const NameEntry& entry) {
    ScopedFile file(fs, kNameTableFileName, OpenMode::ReadWriteNew);
    if (!file.isOpen())
        return -1;
    const std::int64_t size = fs.size(file.handle());
    if (size < 0)
        return -1;
    const std::int64_t entriesInFile = size / kEntrySize;
    const std::int64_t target = index < 0 ? entriesInFile : index;
    if (target > entriesInFile || target > std::numeric_limits<int>::max())
        return -1;
    const bool written = file.writeAt(target * kEntrySize, &entry, sizeof entry);
    if (!file.close() || !written)
        return -1;
    if (load(fs) < 0) {
        // Written but not readable back: keep the edit in memory all the same.
        std::vector<NameEntry> entries = entries_;
        if (target < static_cast<std::int64_t>(entries.size()))
            entries[static_cast<std::size_t>(target)] = entry;
        else if (target == static_cast<std::int64_t>(entries.size()))
            entries.push_back(entry);
        setEntries(std::move(entries));
    }
    return static_cast<int>(target);
}

int NameTable::storeName(FileSystem& fs, std::string_view code, std::string_view name) {
    const std::optional<std::int32_t> key = codeKey(code);
    if (!key)
        return -1;
    std::string shown;
    const int index = nameOfCode(code, shown);
    return writeNameEntry(fs, index, makeNameEntry(*key, name));
}

}  // namespace tallivan
