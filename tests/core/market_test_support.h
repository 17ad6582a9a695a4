// Builders for the market-data files the price tests lay out at run time.
#pragma once

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "base/numbers.h"

namespace tallivan::testing {

inline std::string le16(std::uint16_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

inline std::string le32(std::uint32_t v) {
    return le16(static_cast<std::uint16_t>(v & 0xFFFF)) + le16(static_cast<std::uint16_t>(v >> 16));
}

inline std::string f32(float v) {
    return le32(std::bit_cast<std::uint32_t>(v));
}

// --- Day files: one per stock ---

struct Day {
    std::uint32_t date;
    std::uint32_t close;  // thousandths of a yuan
};

// 40-byte day records: date, open, high, low, close at 16, then amount and volume. The fields
// around the close differ from it so that a wrong offset shows.
inline std::string dayRecords(const std::vector<Day>& days) {
    std::string bytes;
    for (const Day& d : days) {
        bytes += le32(d.date) + le32(d.close + 70) + le32(d.close + 90) + le32(d.close + 30) +
                 le32(d.close) + le32(987654321) + std::string(16, '\x5A');
    }
    return bytes;
}

inline std::string oneDay(std::uint32_t close) {
    return dayRecords({{20240517, close}});
}

// --- type.dat and day.dat ---

constexpr std::size_t kBlockListLength = 95;

struct StockEntry {
    std::int32_t number;
    std::uint16_t dayCount;
    std::vector<std::uint16_t> blocks;  // the rest of the list points far beyond day.dat
};

// An 8-byte header, then 208-byte entries: number, 12 other bytes, day count at 16, block list.
inline std::string typeDat(const std::vector<StockEntry>& entries) {
    std::string bytes = "TYPE\x01\x02\x03\x04";
    for (const StockEntry& e : entries) {
        bytes +=
            le32(static_cast<std::uint32_t>(e.number)) + std::string(12, 'n') + le16(e.dayCount);
        for (std::size_t i = 0; i < kBlockListLength; ++i)
            bytes += le16(i < e.blocks.size() ? e.blocks[i] : 0xFFFE);
    }
    return bytes;
}

// A 4-byte header, then 7200-byte blocks of 300 day records of 24 bytes; the float close lies
// at 12, between fields that hold other prices so that a wrong offset shows.
class DayDat {
  public:
    void setClose(std::size_t block, std::size_t index, float close) {
        const std::size_t at = 4 + block * 7200 + index * 24;
        if (bytes_.size() < at + 24)
            bytes_.resize(at + 24, '\x33');
        const std::string record = le32(20240517) + f32(close + 0.5f) + f32(close + 0.75f) +
                                   f32(close) + f32(close - 0.25f) + le32(123456);
        bytes_.replace(at, 24, record);
    }
    const std::string& bytes() const { return bytes_; }

  private:
    std::string bytes_ = "DAY!";
};

// Writes `bytes` at `root`/`relative`, making the directories on the way.
inline void writeFileAt(const std::string& root, const std::string& relative,
                        const std::string& bytes) {
    const std::filesystem::path path = std::filesystem::path(root) / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A price as the position would store it, so expectations read as milli-yuan.
inline std::optional<std::int64_t> asMilli(std::optional<double> price) {
    if (!price)
        return std::nullopt;
    return toMilli(*price);
}

}  // namespace tallivan::testing
