#include "storage/data_lock.h"

#include "base/little_endian.h"
#include "storage/scoped_file.h"
#include "storage/slot_journal.h"

namespace tallivan {

DataLock::DataLock(FileSystem& fs, int timeoutMillis) : fs_(fs), timeoutMillis_(timeoutMillis) {}

DataLock::~DataLock() {
    if (handle_ >= 0)
        fs_.close(handle_);
}

LockStatus DataLock::acquire() {
    if (depth_ > 0) {
        ++depth_;
        return handle_ >= 0 ? LockStatus::Held : LockStatus::Unavailable;
    }
    handle_ = fs_.open(kLockFileName, OpenMode::ReadWriteNew);
    if (handle_ < 0) {
        depth_ = 1;
        return LockStatus::Unavailable;
    }
    if (fs_.lockExclusive(handle_, timeoutMillis_) != 0) {
        fs_.close(handle_);
        handle_ = -1;
        return LockStatus::Busy;
    }
    depth_ = 1;
    if (recoverJournal(fs_) == Recovery::Replayed)
        bump();
    return LockStatus::Held;
}

void DataLock::release() {
    if (depth_ == 0 || --depth_ > 0)
        return;
    if (handle_ >= 0)
        fs_.close(handle_);
    handle_ = -1;
}

std::uint64_t DataLock::generation() {
    unsigned char bytes[8] = {};
    if (handle_ >= 0) {
        if (fs_.seek(handle_, 0) != 0 || fs_.read(handle_, bytes, sizeof bytes) != sizeof bytes)
            return 0;
    } else {
        ScopedFile file(fs_, kLockFileName, OpenMode::Read);
        if (!file.readAt(0, bytes, sizeof bytes))
            return 0;
    }
    return loadLittleEndian<std::uint64_t>(bytes);
}

std::uint64_t DataLock::bump() {
    if (!held())
        return generation();
    const std::uint64_t next = generation() + 1;
    unsigned char bytes[8];
    storeLittleEndian(bytes, next);
    if (fs_.seek(handle_, 0) == 0)
        fs_.write(handle_, bytes, sizeof bytes);
    return next;
}

}  // namespace tallivan
