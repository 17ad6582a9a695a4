// A number held as its little-endian bytes, with alignment 1. Records built from such fields
// lie in memory exactly as in their files, with no packing pragma, no padding and no misaligned
// access: a field converts to and from its number and may be bound to references freely.
#pragma once

#include <array>

#include "base/little_endian.h"

namespace tallivan {

template <FileNumber T>
class Unaligned {
  public:
    // Trivial, like a plain number: `Unaligned<T> x{};` is zero, `Unaligned<T> x;` unset.
    Unaligned() = default;
    constexpr Unaligned(T value) { storeLittleEndian(bytes_.data(), value); }
    constexpr operator T() const { return loadLittleEndian<T>(bytes_.data()); }

    constexpr Unaligned& operator=(T value) {
        storeLittleEndian(bytes_.data(), value);
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
    std::array<unsigned char, sizeof(T)> bytes_;
};

}  // namespace tallivan
