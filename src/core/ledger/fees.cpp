#include "ledger/fees.h"

#include <cmath>

#include "base/numbers.h"

namespace tallivan {

namespace {

const StockCategory* rowOf(const CategoryTable& table, int category) {
    if (category < 0 || category >= kCategoryCount)
        return nullptr;
    return &table[static_cast<std::size_t>(category)];
}

// Guards of the two searches, which walk the cent grid from the fee-free price. A normal search
// takes as many steps as the fee amounts to in cents per share; these bounds only stop walks
// that could never end (no shares, prices beyond any market, a grid step lost in the
// magnitude, rates that eat the whole amount) and give 0, the "no price" of the lists.
constexpr double kLargestPrice = 1e10;
constexpr int kMostSteps = 1000000;

bool searchable(std::int32_t shares, double start) {
    return shares > 0 && std::isfinite(start) && std::fabs(start) < kLargestPrice;
}

}  // namespace

double tradeFee(const CategoryTable& table, std::int32_t shares, int category, double price) {
    const StockCategory* row = rowOf(table, category);
    if (!row || shares == 0 || price == 0.0)
        return 0.0;
    const double amount = static_cast<double>(static_cast<Extended>(shares) * price);

    double commission =
        static_cast<double>(static_cast<Extended>(amount) * row->commissionRate * 0.01L);
    if (commission < row->minCommission)
        commission = row->minCommission;
    commission = roundToCent(commission);

    const double stamp =
        roundToCent(static_cast<double>(static_cast<Extended>(amount) * row->stampTaxRate * 0.01L));

    const std::int32_t thousands = shares / 1000;
    double transfer =
        roundToCent(static_cast<double>(static_cast<Extended>(thousands) * row->transferFee));
    if (transfer <= row->minTransferFee)
        transfer = row->minTransferFee;

    return static_cast<double>(static_cast<Extended>(commission) + transfer + stamp +
                               row->orderFee);
}

namespace {

// Walks the cent grid from the fee-free price `quotient` in steps of `step` until `fits` holds
// for the amount (shares times price) and the fee at that price.
template <typename Fits>
double walkCentGrid(const CategoryTable& table, std::int32_t shares, int category, double quotient,
                    double step, Fits fits) {
    if (!searchable(shares, quotient))
        return 0.0;
    double price = roundToCent(quotient);
    for (int steps = 0; steps < kMostSteps; ++steps) {
        const double fee = tradeFee(table, shares, category, price);
        if (fits(static_cast<Extended>(shares) * price, fee))
            return price;
        price = price + step;
    }
    return 0.0;
}

}  // namespace

double buyPriceForTotal(const CategoryTable& table, std::int32_t shares, int category,
                        double total) {
    if (!rowOf(table, category) || shares == 0 || total == 0.0)
        return 0.0;
    const double limit = static_cast<double>(static_cast<Extended>(total) + 0.002L);
    const double quotient = static_cast<double>(static_cast<Extended>(limit) / shares);
    return walkCentGrid(table, shares, category, quotient, -0.01,
                        [limit](Extended amount, double fee) {
                            return static_cast<double>(amount + fee) <= limit;
                        });
}

double sellPriceForNet(const CategoryTable& table, std::int32_t shares, int category, double base,
                       double target) {
    const StockCategory* row = rowOf(table, category);
    if (!row || shares == 0 || base == 0.0)
        return 0.0;
    // With rates of 100 % or more a higher price never nets more.
    if (row->commissionRate + row->stampTaxRate >= 100.0)
        return 0.0;
    const double goal = static_cast<double>(static_cast<Extended>(base) + target - 0.002L);
    const double quotient = static_cast<double>(static_cast<Extended>(goal) / shares);
    return walkCentGrid(
        table, shares, category, quotient, 0.01,
        [goal](Extended amount, double fee) { return static_cast<double>(amount - fee) >= goal; });
}

}  // namespace tallivan
