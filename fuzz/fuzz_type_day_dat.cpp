// A type.dat and day.dat pair of any bytes, asked for the codes it may hold.
#include "fuzz_support.h"

using namespace tallivan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::string askedCode = input.take(6);
    testing::MemoryFileSystem fs;
    fs.directories.insert("mkt/db");
    fs.files["mkt/db/type.dat"] = input.part();
    fs.files["mkt/db/day.dat"] = input.rest();
    fuzz::readCloses(fs, kTypeDayDatSource, {askedCode, "600001", "0001"});
    return 0;
}
