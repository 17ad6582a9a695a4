// Little-endian fields of the market-data records, assembled byte by byte so that neither the
// host's byte order nor the alignment of a record buffer matters.
#pragma once

#include <bit>
#include <cstdint>

namespace tallivan::market {

inline std::uint16_t u16At(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t u32At(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::int32_t i32At(const unsigned char* p) {
    return static_cast<std::int32_t>(u32At(p));
}

// An IEEE 754 single-precision value.
inline float f32At(const unsigned char* p) {
    return std::bit_cast<float>(u32At(p));
}

}  // namespace tallivan::market
