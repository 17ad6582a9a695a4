// A number held as its little-endian bytes, with alignment 1. Records built from such fields
// lie in memory exactly as in their files, with no packing pragma, no padding and no misaligned
// access: a field converts to and from its number and may be bound to references freely.
#pragma once

#include <array>
#include <bit>
#include <type_traits>

namespace tallivan {

static_assert(std::endian::native == std::endian::little,
              "records are kept in memory in their files' byte order");

template <class T>
class Unaligned {
    static_assert(std::is_arithmetic_v<T>);

  public:
    // Trivial, like a plain number: `Unaligned<T> x{};` is zero, `Unaligned<T> x;` unset.
    Unaligned() = default;
    constexpr Unaligned(T value) : bytes_(std::bit_cast<Bytes>(value)) {}
    constexpr operator T() const { return std::bit_cast<T>(bytes_); }

    constexpr Unaligned& operator=(T value) {
        bytes_ = std::bit_cast<Bytes>(value);
        return *this;
    }
    constexpr Unaligned& operator+=(T value) { return *this = static_cast<T>(T(*this) + value); }
    constexpr Unaligned& operator-=(T value) { return *this = static_cast<T>(T(*this) - value); }

    template <class Stream>
    friend Stream& operator<<(Stream& out, const Unaligned& v) {
        out << +T(v);
        return out;
    }

  private:
    using Bytes = std::array<unsigned char, sizeof(T)>;
    Bytes bytes_;
};

}  // namespace tallivan
