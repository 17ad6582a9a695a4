// The benchmarks' large account: a data directory whose zrdata/zr_00001.acc holds 100 000
// slots (written once per run, see open_account_bench.cpp), and a Ui that answers nothing.
#pragma once

#include <string>

#include "forms/form.h"
#include "forms/ui.h"

namespace tallivan::bench {

// The data directory, made at the first call.
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
