// What the fuzz targets share: a person who answers every question and types a given password,
// a data directory in memory, and a way to take the fuzzer's bytes apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/controller.h"
#include "base/clock.h"
#include "forms/form.h"
#include "forms/ui.h"
#include "market/price_source.h"
#include "storage/settings.h"
#include "support/memory_file_system.h"

namespace tallivan::fuzz {

// Answers Yes and OK; a dialog gets `password` typed into its text field (the password prompt)
// and OK pressed; any other dialog is cancelled.
class AnsweringUi : public Ui {
  public:
    std::string password;

    Answer message(const std::string&, const std::string&, MessageIcon,
                   MessageButtons buttons) override {
        return buttons == MessageButtons::YesNo ? Answer::Yes : Answer::Ok;
    }
    bool runDialog(Form& form) override {
        if (form.hasField(field_id::kText)) {
            form.type(field_id::kText, password);
            form.leave(field_id::kText);
            form.press(field_id::kOk);
        }
        if (form.isOpen())
            form.cancel();
        return form.result() == Form::Result::Ok;
    }
};

// The fuzzer's bytes, taken from the front.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t byte() {
        if (rest_.empty())
            return 0;
        const auto b = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    // Up to `n` bytes.
    std::string take(std::size_t n) {
        const std::string_view part = rest_.substr(0, n);
        rest_.remove_prefix(part.size());
        return std::string(part);
    }
    // A part whose length comes first, in two bytes.
    std::string part() {
        const std::size_t n = byte() | (std::size_t{byte()} << 8);
        return take(n);
    }
    std::string rest() { return take(rest_.size()); }

  private:
    std::string_view rest_;
};

// A data directory in memory with the default settings (accounts in "zrdata"), passwords asked
// for when `wantPassword`.
inline void writeDataDirectory(testing::MemoryFileSystem& fs, bool wantPassword) {
    fs.directories.insert("zrdata");
    Settings settings = defaultSettings();
    settings.wantPassword = wantPassword ? 1 : 0;
    saveSettings(fs, settings);
}

// Starts the program on `fs`, then looks at the group and at each account once more, as a
// person clicking through the tree.
inline void startAndBrowse(testing::MemoryFileSystem& fs, AnsweringUi& ui) {
    FixedClock clock({2026, 12, 10}, 1765324800);
    Controller controller(ui, fs, clock);
    controller.start();
    for (int node = 0; node < controller.tree().size(); ++node)
        controller.selectNode(node);
}

// Opens price source `index` on the market directory "mkt" of `fs` and asks for each code.
inline void readCloses(testing::MemoryFileSystem& fs, int index,
                       std::initializer_list<std::string> codes) {
    fs.directories.insert("mkt");
    PriceSource source;
    if (source.open(fs, index, "mkt", {2026, 12, 10}) == PriceSourceStatus::Ready) {
        for (const std::string& code : codes)
            source.readClosePrice(code);
    }
    source.close();
}

}  // namespace tallivan::fuzz
