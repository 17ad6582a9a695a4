// The pseudo-random source, injected like the clock so tests can fix it. Account keys and the
// compaction chance are drawn from it; the real one is the linear congruential generator of
// the Borland runtime, whose exact sequence existing account files were keyed with.
#pragma once

#include <cstdint>

namespace tallivan {

class Random {
  public:
    virtual ~Random() = default;
    // Sets the state, then draws one result and throws it away.
    virtual void seed(std::uint32_t seed) = 0;
    // The next result, 0..32767.
    virtual int next() = 0;
};

// state = state * 22695477 + 1 (mod 2^32); result = bits 16..30 of the new state.
class LcgRandom : public Random {
  public:
    void seed(std::uint32_t seed) override;
    int next() override;

  private:
    std::uint32_t state_ = 1;
};

}  // namespace tallivan
