#include "storage/group_marker.h"

#include "base/gbk.h"

namespace tallivan {

std::optional<std::string> readGroupName(FileSystem& fs, const std::string& directory) {
    const int handle = fs.open(joinPath(directory, kGroupMarkerFileName), OpenMode::Read);
    if (handle < 0)
        return std::nullopt;
    char record[kGroupNameSize] = {};
    const std::int64_t got = fs.read(handle, record, sizeof record);
    fs.close(handle);
    if (got < 0)
        return std::nullopt;
    return cutGbk(fieldText(record, static_cast<std::size_t>(got)), kGroupNameSize);
}

std::string groupNameOf(FileSystem& fs, const std::string& directory) {
    if (auto name = readGroupName(fs, directory))
        return *name;
    return gbk("帐户组");
}

std::optional<std::string> writeGroupName(FileSystem& fs, const std::string& directory,
                                          const std::string& name) {
    const std::string path = joinPath(directory, kGroupMarkerFileName);
    const std::string stored = cutGbk(name, kGroupNameSize);
    std::string content = stored;
    content.resize(kGroupNameSize + 1, '\0');
    if (const auto old = readWholeFile(fs, path); old && old->size() > content.size())
        content += old->substr(content.size());
    if (replaceFileDurably(fs, path, content) != 0)
        return std::nullopt;
    return stored;
}

}  // namespace tallivan
