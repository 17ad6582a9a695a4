// One account as the tree knows it: its file, the password confirmed for it and, while it is
// open, its decoded header (each file's slots are written with that file's own keys). Rows point
// to their account through this node; the tree owns the nodes and clears the lists before it
// releases any of them.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "storage/account_records.h"
#include "storage/slot_codec.h"

namespace tallivan {

struct AccountNode {
    std::string path;     // GBK: the directory, the separator and the file name
    Password password{};  // all zero until confirmed
    bool unlocked = false;
    std::optional<AccountHeader> header;  // decoded, once the account has been opened
    // A sealed account's key, in memory while the program has it open (wiped when it goes).
    std::shared_ptr<const SealedKey> sealed;

    SlotCodec codec() const {
        return sealed ? SlotCodec(sealed) : SlotCodec(header ? header->slotKey : SlotKey{});
    }
};

}  // namespace tallivan
