// Builders for the market-data files the price tests lay out at run time.
#pragma once

#include <bit>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

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
