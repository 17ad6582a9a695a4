// A settings file of any bytes: the search directories, categories and fee table it names drive
// the start-up, the account tree and the fee of a trade.
#include "fuzz_support.h"

using namespace tallivan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing::MemoryFileSystem fs;
    fuzz::writeDataDirectory(fs, false);
    fs.files[kSettingsFileName] = fuzz::Input(data, size).rest();
    fuzz::AnsweringUi ui;
    FixedClock clock({2026, 12, 10}, 1765324800);
    Controller controller(ui, fs, clock);
    controller.start();
    for (const char* code : {"600001", "000001", "0001", "1", ""}) {
        for (const TradeSide side : {TradeSide::Buy, TradeSide::Sell}) {
            controller.quoteFee(code, 1000, 10.0, side);
            controller.quoteFee(code, -7, 1e300, side);
        }
    }
    for (int node = 0; node < controller.tree().size(); ++node)
        controller.selectNode(node);
    return 0;
}
