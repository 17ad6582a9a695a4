// A per-stock day file of any bytes, for a code of 4 or 6 characters.
#include "fuzz_support.h"

using namespace tallivan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const bool shenzhen = input.byte() & 1;
    const std::string market = shenzhen ? "sznse" : "shase";
    const std::string code = shenzhen ? "0001" : "600001";
    testing::MemoryFileSystem fs;
    for (const std::string& dir :
         {std::string("mkt/data"), "mkt/data/" + market, "mkt/data/" + market + "/day"})
        fs.directories.insert(dir);
    fs.files["mkt/data/" + market + "/day/" + code + ".day"] = input.rest();
    fuzz::readCloses(fs, kDayFileSource, {code, shenzhen ? "600001" : "0001"});
    return 0;
}
