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

void appendYear(std::string& out, const std::string& year, const YearResult& r) {
    out += year;
    for (std::int64_t v : {r.realised, r.dividends, r.fees, r.deposits, r.withdrawals}) {
        out += '\t';
        out += milliText(v);
    }
    out += '\n';
}

}  // namespace

int runReport(CommandContext& ctx) {
    const Arguments args(ctx.words, {});
    args.expectPositional(1, "report NODE");
    selectNodeByPath(ctx.controller, args.positional()[0]);
    const NodeAnalysis analysis = ctx.controller.analysis(Controller::MonthEndValues::Skip);

    // Gathered and written at once: a large group holds tens of thousands of stocks. Codes,
    // numbers and the section names are the same bytes in GBK and UTF-8.
    std::string out = "[years]\n";
    for (const YearResult& r : analysis.years.years)
        appendYear(out, std::to_string(r.year), r);
    appendYear(out, "total", analysis.years.total);
    out += "[return]\nmoney-weighted\t" + rateText(analysis.returns.moneyWeighted) + "\nsimple\t" +
           rateText(analysis.returns.simple) + "\n[dividend-tax]\n";
    std::string holdings;
    for (const HoldingTax& h : analysis.dividendTax.holdings) {
        holdings += h.code;
        holdings += '\t';
        holdings += std::to_string(h.shares);
        holdings += '\t';
        holdings += milliText(h.tax);
        holdings += '\n';
    }
    out += gbkToUtf8(holdings);
    out += "total\t" + milliText(analysis.dividendTax.total) + "\n";
    ctx.out << out;
    return 0;
}

}  // namespace tallivan::cli
