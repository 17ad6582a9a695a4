// The return of the account or group shown, two ways: money-weighted (the annual rate at which
// the money put in and taken out, on their dates, grows into today's net value) and simple
// (the panel's 盈利率: the net profit over the money put in).
#pragma once

#include <optional>

#include "base/clock.h"
#include "ledger/portfolio_totals.h"
#include "report/node_history.h"

namespace tallivan {

struct NodeReturns {
    std::optional<double> moneyWeighted;  // percent a year; nothing without deposits or a rate
    std::optional<double> simple;         // percent; nothing while no money was put in
};

// `values` are the panel's values now; `today` dates its net value.
NodeReturns nodeReturns(const NodeHistory& history, const PanelValues& values, const Date& today);

}  // namespace tallivan
