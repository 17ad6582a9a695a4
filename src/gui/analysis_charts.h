// The charts of the analysis page, made from the controller's analysis of the node shown:
// realised profit and dividends per year (bars, red for a gain and green for a loss as the
// lists colour them), the holdings by value (a pie of the largest ten and the rest), and the
// money put in, the cost of the holdings, the cash and (where known) the holdings' value month
// by month (lines).
#pragma once

#include <QChart>
#include <vector>

#include "report/node_analysis.h"

namespace tallivan::gui {

// Each chart belongs to the caller.
QChart* yearsChart(const YearlyResults& results);
QChart* holdingsChart(const std::vector<ValueSlice>& slices);
QChart* monthsChart(const std::vector<MonthPoint>& months);

}  // namespace tallivan::gui
