// A stock-name table of any bytes: looked up, then written to and read again.
#include "fuzz_support.h"
#include "storage/name_table.h"

using namespace tallivan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing::MemoryFileSystem fs;
    fs.files["zrstk.typ"] = fuzz::Input(data, size).rest();
    NameTable table;
    table.load(fs);
    for (const char* code : {"600001", "000001", "1", "", "abc", "99999999999"})
        table.nameOf(code);
    table.storeName(fs, "600001", "name");
    table.storeName(fs, "2", "");
    table.load(fs);
    table.nameOf("600001");
    return 0;
}
