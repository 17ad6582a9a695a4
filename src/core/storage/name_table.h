// The stock name table: the file "zrstk.typ" of 12-byte entries (a code's key and an 8-byte
// GBK name), read into memory once and looked up for every code a row or dialog shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "storage/file_io.h"

namespace tallivan {

inline const char* const kNameTableFileName = "zrstk.typ";

struct NameEntry {
    std::int32_t key = 0;  // codeKey of the stock code, little-endian
    char name[8] = {};     // GBK; NUL-terminated when shorter than 8 bytes, unterminated at 8
};
static_assert(sizeof(NameEntry) == 12);

// The decimal value of a code, plus 1 000 000 when it is 10 000 or more ("600001" gives
// 1 600 001; "000001", "0001" and "1" all give 1). Nothing for a code that is not a decimal
// integer (an optional sign and digits only) or whose key does not fit 32 bits.
std::optional<std::int32_t> codeKey(std::string_view code);

// An entry for `key` holding the first 8 bytes of `name` (cut on a character boundary).
NameEntry makeNameEntry(std::int32_t key, std::string_view name);

class NameTable {
  public:
    // Reads the file (in the data directory) over the table. Returns the entry count, or -1
    // when the file cannot be read (the table then stays as it was). A read that fails half-way
    // is taken only when it holds more entries than the table did.
    int load(FileSystem& fs);

    int count() const { return static_cast<int>(entries_.size()); }
    const std::vector<NameEntry>& entries() const { return entries_; }

    // The index of the first entry with the code's key, or -1. `name` receives the name to
    // show: the entry's name, or the code itself (at most 8 bytes) when there is none.
    int nameOfCode(std::string_view code, std::string& name) const;
    std::string nameOf(std::string_view code) const;

    // Writes `entry` over entry `index`, or appends it when `index` is below 0 (over a cut-off
    // tail). The file is created when missing, so the first name stored makes the table. The
    // table is then read again. Returns the index written, or -1 (the file cannot be written,
    // or `index` lies beyond the last entry).
    int writeNameEntry(FileSystem& fs, int index, const NameEntry& entry);

    // Stores the name of a code: over the code's entry when it has one, else as a new entry.
    // Returns the index written, or -1 (also for a code that has no key: such an entry could
    // never be found again).
    int storeName(FileSystem& fs, std::string_view code, std::string_view name);

  private:
    void setEntries(std::vector<NameEntry> entries);

    std::vector<NameEntry> entries_;
    std::unordered_map<std::int32_t, int> firstIndexOfKey_;
};

}  // namespace tallivan
