// The 导入交割单 dialog: a broker's statement as it will be imported. Each row shows the
// statement's cells, the ledger command it becomes and what happens to it (new, already
// recorded, skipped, unknown, invalid) with the reason; below, the number of rows of each
// status. 导入 records the new rows; Cancel records nothing.
#pragma once

#include <string>

#include "forms/form.h"
#include "statement/statement_preview.h"

namespace tallivan {

class ImportForm : public Form {
  public:
    // `file` is the statement's path (GBK), shown above the rows.
    ImportForm(Ui& ui, const StatementPreview& preview, const std::string& file);

    const StatementPreview& preview() const { return preview_; }

    void press(std::string_view buttonName) override;

  private:
    const StatementPreview& preview_;
};

// The names the dialog shows (GBK): 新增, 已有, 跳过, 未知, 无效 for the statuses; the
// command's name as the transaction and fund lists show it (买入, 卖出 …, 存入, 支取, 增损),
// empty for none.
const std::string& importStatusName(ImportStatus status);
const std::string& importCommandName(ImportCommand command);

}  // namespace tallivan
