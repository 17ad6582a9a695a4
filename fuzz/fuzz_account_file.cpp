// An account file of any bytes, opened with or without a password, shown in the four lists and
// the totals, alone and in its group's view.
#include "fuzz_support.h"

using namespace tallivan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const bool wantPassword = input.byte() & 1;
    fuzz::AnsweringUi ui;
    if (wantPassword)
        ui.password = input.take(8);
    testing::MemoryFileSystem fs;
    fuzz::writeDataDirectory(fs, wantPassword);
    fs.files["zrdata/zr_00001.acc"] = input.rest();
    fuzz::startAndBrowse(fs, ui);
    return 0;
}
