#include "base/random.h"

namespace tallivan {

void LcgRandom::seed(std::uint32_t seed) {
    state_ = seed;
    next();
}

int LcgRandom::next() {
    state_ = state_ * 22695477u + 1u;  // unsigned: wraps modulo 2^32
    return static_cast<int>((state_ >> 16) & 0x7FFFu);
}

}  // namespace tallivan
