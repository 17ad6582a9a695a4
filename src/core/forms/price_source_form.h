// The 更新现价 dialog: which market-data program the current prices come from and its main
// directory. Each source keeps a directory of its own in the settings.
#pragma once

#include "forms/form.h"
#include "storage/settings.h"

namespace tallivan {

class PriceSourceForm : public Form {
  public:
    PriceSourceForm(Ui& ui, Settings& settings);

    // Choosing a source shows the directory stored for it; an edit of the directory shown
    // before is dropped.
    void select(std::string_view fieldName, int index) override;
    // OK stores the source chosen and the directory typed for it; Cancel stores nothing.
    void press(std::string_view buttonName) override;

  private:
    void showStoredDirectory();

    Settings& settings_;
};

}  // namespace tallivan
