// A group marker file of any bytes: its name read, then a new name written over it.
#include "fuzz_support.h"
#include "storage/group_marker.h"

using namespace tallivan;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    testing::MemoryFileSystem fs;
    fs.directories.insert("zrdata");
    const std::string newName = input.part();
    fs.files["zrdata/zrstk.grp"] = input.rest();
    readGroupName(fs, "zrdata");
    groupNameOf(fs, "zrdata");
    writeGroupName(fs, "zrdata", newName);
    readGroupName(fs, "zrdata");
    return 0;
}
