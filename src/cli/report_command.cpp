// report: the yearly results, the returns and the dividend tax ahead of an account or group,
// as the 分析 page shows them, in lines of tab-separated fields.
#include "arguments.h"
#include "base/gbk.h"
#include "base/numbers.h"
#include "commands.h"
#include "node_selection.h"

namespace tallivan::cli {

namespace {

std::string rateText(const std::optional<double>& percent) {
    return percent ? percent2(*percent) : "—";
}

void printYears(std::ostream& out, const YearlyResults& results) {
    const auto line = [&out](const std::string& year, const YearResult& r) {
        out << year;
        for (std::int64_t v : {r.realised, r.dividends, r.fees, r.deposits, r.withdrawals})
            out << '\t' << milliText(v);
        out << '\n';
    };
    out << "[years]\n";
    for (const YearResult& r : results.years)
        line(std::to_string(r.year), r);
    line("total", results.total);
}

}  // namespace

int runReport(CommandContext& ctx) {
    const Arguments args(ctx.words, {});
    args.expectPositional(1, "report NODE");
    selectNodeByPath(ctx.controller, args.positional()[0]);
    const NodeAnalysis analysis = ctx.controller.analysis(Controller::MonthEndValues::Skip);

    printYears(ctx.out, analysis.years);
    ctx.out << "[return]\n"
            << "money-weighted\t" << rateText(analysis.returns.moneyWeighted) << '\n'
            << "simple\t" << rateText(analysis.returns.simple) << '\n';
    ctx.out << "[dividend-tax]\n";
    for (const HoldingTax& h : analysis.dividendTax.holdings)
        ctx.out << gbkToUtf8(h.code) << '\t' << h.shares << '\t' << milliText(h.tax) << '\n';
    ctx.out << "total\t" << milliText(analysis.dividendTax.total) << '\n';
    return 0;
}

}  // namespace tallivan::cli
