// An opened account and a person who records transactions in it through the controller, for
// the tests of the recording and correcting commands.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "app/controller.h"
#include "core/ledger_fixture.h"
#include "forms/form.h"
#include "support/faulty_file_system.h"
#include "support/recording_ui.h"

namespace tallivan::testing {

constexpr int kBalance = 4;  // 资金余额 in the totals panel

// Every text of every row of the four lists, then the panel's texts.
inline std::vector<std::vector<std::string>> viewSnapshot(const Controller& controller) {
    std::vector<std::vector<std::string>> all;
    for (LedgerList list :
         {LedgerList::Holdings, LedgerList::Sold, LedgerList::Trades, LedgerList::Funds}) {
        for (const LedgerRow& r : controller.lists().rows(list)) {
            std::vector<std::string> texts{std::to_string(r.image)};
            for (int c = 1; c < r.textCount(); ++c)
                texts.emplace_back(r.text(c));
            all.push_back(std::move(texts));
        }
    }
    all.emplace_back(controller.totalsPanel().texts.begin(), controller.totalsPanel().texts.end());
    return all;
}

// An empty account, opened, and a person who types into the trade dialog. Another TradeApp on
// the same data (`existing`) opens the account as it is, as a second program would.
struct TradeApp {
    explicit TradeApp(DataDir& data, bool existing = false)
        : fs(data.path()), controller(ui, fs, clock) {
        path = existing ? "zrdata/zr_00001.acc" : data.account("zrdata", 1, "one", {});
        controller.start();
    }

    using Values = std::vector<std::pair<std::string, std::string>>;

    void typeThenOk(const Values& values) {
        ui.onDialog = [values](Form& form) {
            for (const auto& [field, text] : values)
                typeAndLeave(form, field, text);
            form.press(field_id::kOk);
        };
    }

    void buy(const std::string& code, const std::string& shares, const std::string& price,
             const std::string& fee) {
        typeThenOk({{field_id::kCode, code},
                    {field_id::kShares, shares},
                    {field_id::kPrice, price},
                    {field_id::kFee, fee}});
        controller.buy();
    }

    // Runs `command` on the holding of `code`.
    void onHolding(const std::string& code, void (Controller::*command)(), const Values& values) {
        const auto& rows = controller.lists().rows(LedgerList::Holdings);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (!rows[i].isSummary() && rows[i].text(stock_column::kCode) == code)
                controller.selectRow(LedgerList::Holdings, static_cast<int>(i));
        }
        typeThenOk(values);
        (controller.*command)();
    }

    // Runs `command` on transaction row `index`, typing `values` into its dialog.
    void onTrade(std::size_t index, void (Controller::*command)(), const Values& values) {
        controller.selectRow(LedgerList::Trades, static_cast<int>(index));
        typeThenOk(values);
        (controller.*command)();
    }

    std::vector<std::vector<std::string>> snapshot() const { return viewSnapshot(controller); }

    // Opens the account again from its file.
    void reopen() { controller.selectNode(1); }

    std::vector<std::string> row(LedgerList list, std::size_t index,
                                 std::initializer_list<int> columns) const {
        std::vector<std::string> texts;
        for (int c : columns)
            texts.emplace_back(controller.lists().rows(list).at(index).text(c));
        return texts;
    }

    std::size_t rows(LedgerList list) const { return controller.lists().rows(list).size(); }
    const std::string& panel(int field) const {
        return controller.totalsPanel().texts[static_cast<std::size_t>(field)];
    }

    FaultyFileSystem fs;
    RecordingUi ui;
    FixedClock clock{{2026, 12, 10}, 1};
    Controller controller;
    std::string path;
};

}  // namespace tallivan::testing
