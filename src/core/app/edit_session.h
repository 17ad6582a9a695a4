// The writes of one command. A command rebuilds the records it changes from their rows (every
// field from the row's texts and reference; the spare bytes a row does not show are zero),
// hands each record here with the slot it goes to, and commits once at its end: the records of
// every account written go to the files together through the journal, or none of them does.
// Until then nothing is written, so a command that stops half-way leaves the files as they were.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "ledger/account_node.h"
#include "storage/file_io.h"
#include "storage/slot_journal.h"

namespace tallivan {

class EditSession {
  public:
    explicit EditSession(FileSystem& fs) : fs_(fs) {}

    // Plans `record` (plain) for slot `index` of `account`, scrambled with the account's key;
    // an index below 0 is the slot after the file's last one and after those planned before.
    // Returns the slot, or -1 when the account is not open, its file is no account, or the
    // index lies beyond the end.
    int write(const AccountNode& account, int index, const LedgerRecord& record);
    template <SlotView View>
    int write(const AccountNode& account, int index, const View& view) {
        return write(account, index, LedgerRecord::of(view));
    }
    // The same slot with its kind set to deleted, the state and every other byte kept.
    template <SlotView View>
    int erase(const AccountNode& account, int index, const View& view) {
        LedgerRecord record = LedgerRecord::of(view);
        record.markDeleted();
        return write(account, index, record);
    }

    bool empty() const { return journal_.writes.empty(); }
    // The files the planned writes go to.
    std::vector<std::string> paths() const;

    // Writes everything planned as one (see slot_journal.h) and forgets it.
    Commit commit();
    void discard();

  private:
    // What is planned for one file: the slot after the last, and where each slot's write stands
    // in the journal (a slot planned again replaces its write, so that a command that rewrites
    // a position many times writes it once).
    struct PlannedFile {
        std::int64_t nextSlot = 0;
        std::unordered_map<std::int64_t, std::size_t> writeOf;
    };

    // The file an account's path names, links resolved once per session.
    const std::string& resolved(const std::string& path);

    FileSystem& fs_;
    Journal journal_;
    std::map<std::string, PlannedFile> files_;       // by resolved path
    std::map<std::string, std::string> resolvedOf_;  // account path -> resolved path
};

}  // namespace tallivan
