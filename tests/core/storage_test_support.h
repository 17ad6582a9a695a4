// A generator that plays back given results and a clock that stands still, for the storage tests.
#pragma once

#include <cstdint>
#include <vector>

#include "base/clock.h"
#include "base/random.h"

namespace tallivan::testing {

// Plays back `results`, then 33 (a valid key byte, so that a short script cannot hang a key
// draw), and remembers the seeds it was given.
class ScriptedRandom : public Random {
  public:
    explicit ScriptedRandom(std::vector<int> results) : results_(std::move(results)) {}
    void seed(std::uint32_t seed) override { seeds.push_back(seed); }
    int next() override { return at_ < results_.size() ? results_[at_++] : 33; }

    std::vector<std::uint32_t> seeds;

  private:
    std::vector<int> results_;
    std::size_t at_ = 0;
};

// A clock whose pause takes no time, so both reads fall within the same second.
class StoppedClock : public Clock {
  public:
    explicit StoppedClock(std::int64_t seconds) : seconds_(seconds) {}
    Date today() const override { return {2024, 1, 2}; }
    std::int64_t secondsNow() const override { return seconds_; }
    void pause() override { ++pauses; }

    int pauses = 0;

  private:
    std::int64_t seconds_;
};

}  // namespace tallivan::testing
