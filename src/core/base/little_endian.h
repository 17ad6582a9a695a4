// Numbers as the files hold them: little-endian bytes at any address. Loading and storing
// through a byte pointer needs no alignment and gives the same bytes whatever the host's order.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <type_traits>

namespace tallivan {

template <class T>
concept FileNumber = std::is_arithmetic_v<T> && !std::is_same_v<T, bool>;

namespace little_endian_detail {

template <class T>
using Bytes = std::array<unsigned char, sizeof(T)>;

// Host order to file order and back (the same operation both ways).
template <class T>
constexpr Bytes<T> swapForHost(Bytes<T> bytes) {
    static_assert(std::endian::native == std::endian::little ||
                  std::endian::native == std::endian::big);
    if constexpr (std::endian::native == std::endian::big)
        std::reverse(bytes.begin(), bytes.end());
    return bytes;
}

}  // namespace little_endian_detail

// The number whose little-endian bytes start at `p`.
template <FileNumber T>
constexpr T loadLittleEndian(const unsigned char* p) {
    little_endian_detail::Bytes<T> bytes{};
    std::copy_n(p, sizeof(T), bytes.begin());
    return std::bit_cast<T>(little_endian_detail::swapForHost<T>(bytes));
}

// Writes the little-endian bytes of `value` from `p` on.
template <FileNumber T>
constexpr void storeLittleEndian(unsigned char* p, T value) {
    const auto bytes =
        little_endian_detail::swapForHost<T>(std::bit_cast<little_endian_detail::Bytes<T>>(value));
    std::copy_n(bytes.begin(), sizeof(T), p);
}

}  // namespace tallivan
