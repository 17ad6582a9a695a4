#include "report/annual_rate.h"

#include <cmath>
#include <map>

namespace tallivan {
namespace {

// The payments in years from the first one, one per day. The rate is sought as x = ln(1 + r),
// where the present value is a sum of exponentials: defined for every x and smooth, and the
// rates from -99.995 % to two million % lie within |x| < 10.
struct Payments {
    std::vector<double> years;
    std::vector<Extended> amounts;

    // The present value at x and its slope.
    std::pair<Extended, Extended> at(Extended x) const {
        Extended value = 0, slope = 0;
        const double rate = static_cast<double>(x);
        for (std::size_t i = 0; i < years.size(); ++i) {
            const Extended discounted = amounts[i] * std::exp(-rate * years[i]);
            value += discounted;
            slope -= years[i] * discounted;
        }
        return {value, slope};
    }
    Extended value(Extended x) const { return at(x).first; }
};

constexpr Extended kLimit = 10;
constexpr Extended kStep = 0.125L;
constexpr Extended kTolerance = 1e-12L;

bool differ(Extended a, Extended b) {
    return (a < 0) != (b < 0);
}

// The root between `low` and `high`, where the value changes sign: Newton's steps while they
// stay inside the bracket, which shrinks around the root, halving it where they do not.
Extended solve(const Payments& p, Extended low, Extended high) {
    const bool negativeAtLow = p.value(low) < 0;
    Extended x = (low + high) / 2;
    for (int i = 0; i < 200 && high - low > kTolerance; ++i) {
        const auto [value, slope] = p.at(x);
        if (value == 0)
            return x;
        if ((value < 0) == negativeAtLow)
            low = x;
        else
            high = x;
        const Extended next = slope != 0 ? x - value / slope : low;
        if (next > low && next < high && fabsl(next - x) > kTolerance)
            x = next;
        else if (next > low && next < high)
            return next;
        else
            x = (low + high) / 2;
    }
    return x;
}

// The sign change nearest to x = 0, looked for on a grid going outwards both ways.
std::optional<Extended> nearestRoot(const Payments& p) {
    const Extended atZero = p.value(0);
    if (atZero == 0)
        return 0;
    Extended up = atZero, down = atZero;
    for (Extended near = 0; near < kLimit; near += kStep) {
        const Extended nextUp = p.value(near + kStep);
        if (nextUp == 0)
            return near + kStep;
        if (differ(up, nextUp))
            return solve(p, near, near + kStep);
        const Extended nextDown = p.value(-near - kStep);
        if (nextDown == 0)
            return -near - kStep;
        if (differ(nextDown, down))
            return solve(p, -near - kStep, -near);
        up = nextUp;
        down = nextDown;
    }
    return std::nullopt;
}

}  // namespace

std::optional<double> annualRate(const std::vector<CashFlow>& flows) {
    std::map<std::int64_t, Extended> byDay;
    for (const CashFlow& f : flows)
        byDay[f.day] += f.amount;
    if (byDay.size() < 2)
        return std::nullopt;
    const std::int64_t first = byDay.begin()->first;
    Payments p;
    for (const auto& [day, amount] : byDay) {
        p.years.push_back(static_cast<double>(day - first) / 365.0);
        p.amounts.push_back(amount);
    }
    const std::optional<Extended> x = nearestRoot(p);
    if (!x)
        return std::nullopt;
    return static_cast<double>(expm1l(*x));
}

}  // namespace tallivan
