// The marker file "zrstk.grp" of an account group directory: the group's name as shown in the
// tree, NUL-terminated, at most 10 bytes, in an 11-byte record at the start of the file.
#pragma once

#include <optional>
#include <string>

#include "storage/file_io.h"

namespace tallivan {

inline const char* const kGroupMarkerFileName = "zrstk.grp";
constexpr std::size_t kGroupNameSize = 10;

// The name in the directory's marker: its bytes up to the first NUL, at most 10 (never half a
// character). Nothing when the marker cannot be read.
std::optional<std::string> readGroupName(FileSystem& fs, const std::string& directory);

// The name shown for a group: its marker's name, or "帐户组" without a marker.
std::string groupNameOf(FileSystem& fs, const std::string& directory);

// Stores `name` (cut to 10 bytes on a character boundary) as the directory's marker; bytes
// after the record in a longer file are kept. The file is replaced whole, so a crash leaves
// the old or the new name. Returns the name stored, or nothing when the file cannot be written.
std::optional<std::string> writeGroupName(FileSystem& fs, const std::string& directory,
                                          const std::string& name);

}  // namespace tallivan
