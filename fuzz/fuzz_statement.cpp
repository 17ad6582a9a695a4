// A broker's statement of any bytes (text of any separator, aligned text, a web page, a
// workbook): read and compared with an account holding shares and a
// subscription; when the first byte is odd, also imported into an account of the sample ledger.
#include "forms/import_form.h"
#include "fuzz_support.h"
#include "statement/statement_reader.h"
#include "storage/account_file.h"
#include "support/sample_records.h"

using namespace tallivan;

namespace {

// Chooses the statement and presses 导入 in its preview.
class ImportingUi : public fuzz::AnsweringUi {
  public:
    std::optional<std::string> chooseFileToOpen(const std::string&, const std::string&) override {
        return "statement.xls";
    }
    bool runDialog(Form& form) override {
        if (!form.hasField(field_id::kImport))
            return AnsweringUi::runDialog(form);
        form.press(field_id::kImport);
        if (form.isOpen())
            form.cancel();
        return form.result() == Form::Result::Ok;
    }
};

void importIntoSampleAccount(const std::string& bytes) {
    testing::MemoryFileSystem fs;
    fuzz::writeDataDirectory(fs, false);
    const AccountHeader header = testing::newHeader("one");
    createAccountFile(fs, "zrdata/zr_00001.acc", header);
    for (const LedgerRecord& slot : testing::sampleLedger())
        writeSlot(fs, "zrdata/zr_00001.acc", header.slotKey, -1, slot);
    fs.files["statement.xls"] = bytes;
    ImportingUi ui;
    FixedClock clock({2026, 12, 10}, 1765324800);
    Controller controller(ui, fs, clock);
    controller.start();
    controller.importStatement();
    // The account opens again with what was stored.
    controller.selectNode(1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const bool import = input.byte() & 1;
    const std::string bytes = input.rest();
    StatementReading reading = readStatement(bytes);
    AccountHoldings holdings;
    holdings.sharesHeld["600000"] = 1000;
    holdings.subscriptions["603999"] = {1000};
    comparePreview(reading.preview, holdings);
    if (import)
        importIntoSampleAccount(bytes);
    return 0;
}
