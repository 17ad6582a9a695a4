// A daily closing-price text of any bytes, asked for the codes it may hold.
#include "fuzz_support.h"

using namespace tallivan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::string askedCode = input.take(6);
    testing::MemoryFileSystem fs;
    fs.files["mkt/20261210.txt"] = input.rest();
    fuzz::readCloses(fs, kClosingTextSource, {askedCode, "600001", "0001"});
    return 0;
}
