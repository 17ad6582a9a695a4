// One writer at a time in a data directory: every command that reads or changes the ledger's
// files holds an advisory lock on the file "zrstk.lck" of the data directory while it works,
// so two programs (the desktop program and a script, two scripts) never write at once and
// never read a file half-changed. The lock file also counts the changes made under it, so a
// program that keeps a view of the files (the desktop program, between commands) can tell that
// another program changed them since, and read them again before it writes.
#pragma once

#include <cstdint>

#include "storage/file_io.h"

namespace tallivan {

inline const char* const kLockFileName = "zrstk.lck";

enum class LockStatus {
    Held,         // held now (a journal left by a crash was applied first)
    Busy,         // another program held it beyond the waiting time
    Unavailable,  // no lock file can be made (a directory that cannot be written): nobody writes
};

class DataLock {
  public:
    explicit DataLock(FileSystem& fs, int timeoutMillis = 5000);
    ~DataLock();
    DataLock(const DataLock&) = delete;
    DataLock& operator=(const DataLock&) = delete;

    // Holds the lock; holds inside a hold only count. The first hold applies a journal left by
    // a program that stopped half-way.
    LockStatus acquire();
    void release();
    bool held() const { return depth_ > 0 && handle_ >= 0; }

    // The number of changes made in the data directory so far (0 without a lock file).
    std::uint64_t generation();
    // Counts one more change; only while held. Returns the new count.
    std::uint64_t bump();

  private:
    FileSystem& fs_;
    int timeoutMillis_;
    int handle_ = -1;
    int depth_ = 0;
};

// Holds the lock for a scope.
class DataLockHold {
  public:
    explicit DataLockHold(DataLock& lock) : lock_(lock), status_(lock.acquire()) {}
    ~DataLockHold() {
        if (status_ != LockStatus::Busy)
            lock_.release();
    }
    DataLockHold(const DataLockHold&) = delete;
    DataLockHold& operator=(const DataLockHold&) = delete;
    LockStatus status() const { return status_; }

  private:
    DataLock& lock_;
    LockStatus status_;
};

}  // namespace tallivan
