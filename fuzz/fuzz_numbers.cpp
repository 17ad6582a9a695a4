// The number readers, alone and as a person meets them: every line of the input typed into a
// field of the trade dialog (date, code, shares, price, fee), each field left, then OK.
#include <cmath>

#include "base/numbers.h"
#include "forms/trade_form.h"
#include "fuzz_support.h"

using namespace tallivan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const int mode = input.byte() % 7;
    const std::string text = input.rest();

    if (const auto money = parseMoney(text)) {
        generalForm(*money);
        if (std::isfinite(*money) && std::fabs(*money) < 1e15) {
            fixed2(*money, 11);
            percent2(*money);
            toMilli(*money);
        }
    }
    parseInt(text);

    static const TradeMode kModes[] = {TradeMode::Buy,         TradeMode::Sell,
                                       TradeMode::RightsIssue, TradeMode::BonusShares,
                                       TradeMode::Dividend,    TradeMode::Subscription,
                                       TradeMode::Edit};
    static const char* const kFields[] = {field_id::kYear, field_id::kMonth,  field_id::kDay,
                                          field_id::kCode, field_id::kShares, field_id::kPrice,
                                          field_id::kFee,  field_id::kTotal};
    const Settings settings = defaultSettings();
    const NameTable names;
    TradeRecord record;
    record.kindState = kindStateOf(SlotKind::Trade, mode == 6 ? kSell : kBuy);
    record.shares = 1000;
    record.price = 10000;
    fuzz::AnsweringUi ui;
    TradeForm dialog(ui, kModes[mode], record, settings, names);
    Form& form = dialog;
    std::size_t start = 0;
    for (const char* field : kFields) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const Field& f = form.field(field);
        if (!f.readOnly && f.enabled) {
            form.type(field, text.substr(start, end - start));
            form.leave(field);
        }
        start = std::min(end + 1, text.size());
    }
    form.press(field_id::kOk);
    return 0;
}
