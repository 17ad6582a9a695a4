// 分析: the yearly results, the returns, the dividend tax ahead and the charts' data of the
// account or group shown.
#include "app/controller.h"

#include "base/gbk.h"
#include "market/price_source.h"

namespace tallivan {

NodeAnalysis Controller::analysis(MonthEndValues values) const {
    // Only the day files keep the closes of past days; the other sources hold the latest only.
    std::unique_ptr<ClosingPrices> prices;
    if (values == MonthEndValues::FromDayFiles && settings_.priceSource == kDayFileSource) {
        const auto& directory = settings_.priceSourceDirs[kDayFileSource];
        prices = openDayFileHistory(fs_, fieldText(directory, sizeof directory));
    }
    return analyseNode(lists_, totals_, settings_, clock_.today(), prices.get());
}

}  // namespace tallivan
