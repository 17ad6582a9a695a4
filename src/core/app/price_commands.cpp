// 更新现价: the current price of every held position from the closing prices of a
// market-data program.
#include "app/controller.h"

#include "base/gbk.h"
#include "base/numbers.h"
#include "forms/price_source_form.h"
#include "ledger/row_records.h"
#include "market/price_source.h"

namespace tallivan {

namespace {

// Says why the source cannot be read; false when the command must stop.
bool sourceReady(Ui& ui, PriceSourceStatus status, const std::string& failedPath) {
    switch (status) {
        case PriceSourceStatus::Ready:
            return true;
        case PriceSourceStatus::MissingDirectory:
            ui.message(gbk("目录 “") + failedPath + gbk("” 不存在!"), gbk("错误"),
                       MessageIcon::Error, MessageButtons::Ok);
            return false;
        case PriceSourceStatus::MissingFile:
            ui.message(failedPath + gbk(" 不存在!"), gbk("错误"), MessageIcon::None,
                       MessageButtons::Ok);
            return false;
        case PriceSourceStatus::UnknownSource:
        case PriceSourceStatus::NoData:
            break;
    }
    return false;
}

}  // namespace

void Controller::updatePrices() {
    // The choice is saved as soon as the dialog closes, so it is kept even when no price can
    // be read.
    PriceSourceForm form(ui_, settings_);
    if (!editSettings(form))
        return;

    const int source = settings_.priceSource;
    const std::string directory =
        fieldText(settings_.priceSourceDirs[source], sizeof settings_.priceSourceDirs[source]);
    priceUpdate_.clear();
    PriceSource prices;
    if (!sourceReady(ui_, prices.open(fs_, source, directory, clock_.today()), prices.failedPath()))
        return;

    // Each row is rebuilt from its texts and written to its own account's file (a group shows
    // several); all of them are written together. A stock without a usable close keeps its row.
    WriteScope scope(*this);
    if (!scope.ok())
        return;
    std::vector<PriceUpdateLine> lines;
    std::vector<std::pair<LedgerRow*, StockRecord>> priced;
    for (LedgerRow& row : lists_.rows(LedgerList::Holdings)) {
        if (row.isSummary())
            continue;
        StockRecord stock{};
        stockFromRow(row, stock);
        PriceUpdateLine line;
        line.code = fieldText(stock.code, sizeof stock.code);
        const PriceQuote quote = prices.readQuote(line.code);
        line.miss = quote.miss;
        line.date = quote.date;
        lines.push_back(std::move(line));
        if (!quote.close)
            continue;
        stock.price = static_cast<std::int32_t>(toMilli(*quote.close));
        priced.emplace_back(&row, stock);
    }
    prices.close();
    priceUpdate_ = lines;
    if (!lines.empty() && priced.empty()) {
        // Nothing usable: every holding stays as it was, and the person is told why.
        showError(ui_, gbk("没有读到任何现价! ") + priceUpdateSummary(lines));
        return;
    }
    std::size_t at = 0;
    for (auto& [row, stock] : priced) {
        AccountNode* owner = row->ref->owner;
        if (!owner || session_.write(*owner, row->ref->slotIndex, stock) < 0) {
            showError(ui_, gbk("写文件出错!"));
            return;
        }
        showStockRow(*row, stock, owner, rowContext());
    }
    // The price each row shows now, for the lines.
    for (LedgerRow& row : lists_.rows(LedgerList::Holdings)) {
        if (row.isSummary())
            continue;
        if (at < priceUpdate_.size() && priceUpdate_[at].miss == PriceMiss::None)
            priceUpdate_[at].price = std::string(row.text(held_column::kCurrentPrice));
        ++at;
    }
    refreshTotals(0);
    if (!scope.commit()) {
        priceUpdate_.clear();  // nothing was written: no holding got its price
        return;
    }
    ui_.message(priceUpdateSummary(priceUpdate_), gbk("提示"), MessageIcon::Information,
                MessageButtons::Ok);
}

}  // namespace tallivan
