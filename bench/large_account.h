// The benchmarks' large account: a data directory whose zrdata/zr_00001.acc holds 100 000
// slots, and a Ui that answers nothing.
#pragma once

#include <string>

#include "forms/form.h"
#include "forms/ui.h"

namespace tallivan::bench {

// Writes the data directory below `root`: default settings, a name table of 3 000 names and
// zrdata/zr_00001.acc.
void makeLargeAccountDirectory(const std::string& root);

// Such a directory in a temporary folder, made at the first call.
const std::string& largeAccountDirectory();

class SilentUi : public Ui {
  public:
    Answer message(const std::string&, const std::string&, MessageIcon, MessageButtons) override {
        return Answer::Ok;
    }
    bool runDialog(Form& form) override {
        form.cancel();
        return false;
    }
};

}  // namespace tallivan::bench
