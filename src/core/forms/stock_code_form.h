// The stock name dialog: a code and the name shown for it.
#pragma once

#include <cstdint>
#include <string>

#include "forms/form.h"
#include "storage/name_table.h"

namespace tallivan {

class StockCodeForm : public Form {
  public:
    StockCodeForm(Ui& ui, const NameTable& names);

    void onLeave(std::string_view fieldName) override;
    void press(std::string_view buttonName) override;

    // Valid once the form closed with OK: the code and the name typed (GBK).
    const std::string& code() const { return field(field_id::kCode).text; }
    const std::string& name() const { return field(field_id::kTitle).text; }

  private:
    const NameTable& names_;
};

}  // namespace tallivan
