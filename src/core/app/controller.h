// The main window without widgets: it owns the settings, the name table, the account tree, the
// four lists with their totals and the budget panel, and runs every menu command. Both faces
// call it; it talks to a person only through the Ui.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/account_tree.h"
#include "app/command_states.h"
#include "app/edit_session.h"
#include "app/price_update_report.h"
#include "base/clock.h"
#include "base/random.h"
#include "forms/budget_form.h"
#include "forms/trade_form.h"
#include "forms/ui.h"
#include "ledger/fees.h"
#include "ledger/ledger_rows.h"
#include "ledger/portfolio_totals.h"
#include "ledger/position_change.h"
#include "report/node_analysis.h"
#include "storage/closed_holding.h"
#include "storage/data_lock.h"
#include "storage/file_io.h"
#include "storage/name_table.h"
#include "storage/settings.h"

namespace tallivan {

struct StatementEntry;
struct StatementPreview;

// The messages of a file that could not be written or read, naming it.
std::string writeFailedMessage(const std::string& path);
std::string readFailedMessage(const std::string& path);
// A sealed account whose bytes were changed (GBK).
std::string damagedAccountMessage();

struct FeeQuote {
    int category = -1;
    double fee = 0.0;
};

class Controller {
  public:
    Controller(Ui& ui, FileSystem& fs, Clock& clock);
    ~Controller();

    // What start() does with a data directory used for the first time (no settings file and
    // none of the search directories): leave it alone, or create the search directories first,
    // as the options command would, so the first account can be added at once.
    enum class FirstRun { LeaveAlone, Prepare };

    // Start-up: the default settings with the settings file over them, the name table, the
    // budget panel's category list, the account tree (which opens the first node it selects)
    // and today's date for the status bar.
    void start(FirstRun firstRun = FirstRun::LeaveAlone);
    // Whether start() prepared a data directory used for the first time.
    bool firstRun() const { return firstRun_; }

    const Settings& settings() const { return settings_; }
    const NameTable& names() const { return names_; }
    BudgetForm& budget() { return *budget_; }
    const CommandStates& commands() const { return commands_; }
    // Runs a command of the registry through its controller method, if it can run now; false
    // when it cannot (or the face runs it itself).
    bool run(CommandId command);

    // The status bar's date ("YYYY-MM-DD") and weekday panels, fixed at start-up (GBK).
    const std::string& statusDate() const { return statusDate_; }
    const std::string& statusWeekday() const { return statusWeekday_; }

    // --- The account tree ---
    const AccountTree& tree() const { return tree_; }
    std::optional<int> selectedNode() const { return selected_; }
    // Whether tree labels may be edited (only while a group is selected).
    bool labelsEditable() const { return labelsEditable_; }
    // The tree's hint: the selected node's path.
    const std::string& treeHint() const { return treeHint_; }

    // Rebuilds the tree from the search directories and selects a first node.
    void buildTree();
    // Selection change: shows the node's ledger (an account, or a group's unlocked accounts).
    void selectNode(std::optional<int> index);
    // A click in the tree: a selected locked account is opened again (asking its password).
    void clickNode();
    // A group's label was edited: the name is stored in the group's marker file.
    void renameGroup(int index, const std::string& name);

    // --- The four lists and the totals ---
    const LedgerLists& lists() const { return lists_; }
    const TotalsPanel& totalsPanel() const { return panel_; }
    const PortfolioTotals& totals() const { return totals_; }
    const LedgerFocus& focus() const { return focus_; }
    std::optional<int> selectedRow(LedgerList list) const;
    // A list's selection changed (none: nothing selected).
    void selectRow(LedgerList list, std::optional<int> row);

    // Which stock list has the keyboard focus: the stock commands work on its selected row.
    void setFocusedList(LedgerList list) { focusedList_ = list; }
    LedgerList focusedList() const { return focusedList_; }

    // Bumped whenever the tree, the lists or the panel change, so a view knows to refresh.
    int viewRevision() const { return viewRevision_; }
    // Bumped each time a node's ledger is loaded into the lists (a view shows it afresh).
    int openings() const { return openings_; }

    // What to do first, for lists that have nothing to show yet: no account exists, or the
    // account opened is empty. Empty otherwise (GBK).
    std::string emptyLedgerHint() const;

    // Sets up a new data directory: creates it and its account search directories and writes the
    // settings file with today's fee schedule, which the budget panel's categories then show.
    // A directory that already has a settings file is left as it is (with a message). False
    // when nothing was set up.
    bool setUpNewDataDirectory();

    // --- Menu commands ---
    void configure();           // 设置参数
    void options();             // 选项
    void addAccount();          // 添加账户
    void editAccount();         // 修改账户 (also a double-click in the tree)
    void deleteAccount();       // 删除账户
    void changePassword();      // 修改密码
    void sealAccount();         // 加密帐户 (a sealed one: a new passphrase)
    void unsealAccount();       // 取消加密
    void editStockName();       // 证券名称
    void addFund();             // 存取资金
    void deleteFund();          // 删除资金 (also a double-click in the fund list)
    void editStock();           // 修改股票 (also a double-click in a stock list)
    void buy();                 // 买入股票
    void subscribe();           // 申购新股
    void sell();                // 卖出股票
    void rightsIssue();         // 配股
    void bonusShares();         // 送股
    void dividend();            // 分红
    void subscriptionWon();     // 申购中签
    void subscriptionNotWon();  // 申购未中签
    void editTrade();           // 修改交易 (also a double-click in the transaction list)
    void undoTrade();           // 撤消交易
    void deleteStock();         // 删除股票
    void updatePrices();        // 更新现价
    // One line per holding of the last price update, in list order.
    const std::vector<PriceUpdateLine>& lastPriceUpdate() const { return priceUpdate_; }
    void exportText();          // 导出数据 → 文本文件
    void importStatement();     // 导入交割单: a broker's statement into the account shown
    void exportCsv();           // 导出数据 → CSV文件

    // Where the exports go (导出到): `directory` (GBK; relative to the data directory unless
    // absolute), or the directory of the node's group while it is empty.
    void setExportDirectory(std::string directory) { exportDirectory_ = std::move(directory); }
    const std::string& exportDirectory() const { return exportDirectory_; }

    // The analysis of the account or group shown (分析). With day files as the market-data
    // source, FromDayFiles adds what the holdings were worth at each month's end.
    enum class MonthEndValues { Skip, FromDayFiles };
    NodeAnalysis analysis(MonthEndValues values) const;

    // The fee of trading `shares` of `code` at `price` on `side`, and the code's category.
    FeeQuote quoteFee(const std::string& code, std::int32_t shares, double price,
                      TradeSide side) const;

    // --- Other programs on the same data ---
    // Holds the data directory's lock until the controller goes (a script's whole run), so its
    // view can never be overtaken. False, with the message said, when another program keeps it.
    bool holdDataLock();
    // Reads everything again when another program changed the data directory since this view
    // was read (the desktop program asks while it waits for the person). True when it did.
    bool refreshIfChanged();

    // --- Recording without a dialog (a broker's statement) ---
    // Each does in `account` what the command of the transaction's type does after its dialog's
    // OK: a purchase, subscription, rights issue, bonus issue or dividend is recorded as typed; a
    // sale's cost basis comes from the holding as the sell command computes it. A sale without a
    // holding of enough shares, or a change that would not fit the position's fields, is not
    // recorded. True when recorded.
    bool recordTrade(AccountNode& account, TradeRecord trade);
    bool recordFund(AccountNode& account, const FundRecord& fund);
    // Records many transactions as one command: everything recorded between begin and end is
    // written together or not at all, and the lists are sorted and the totals refreshed once at
    // the end. begin is false (with the message said) when the data cannot be written now; end
    // is false when the writes failed (said, and the view read again from the files).
    bool beginBatch();
    bool endBatch();

    Ui& ui() { return ui_; }
    FileSystem& files() { return fs_; }
    Clock& clock() { return clock_; }

  private:
    // A command that writes: from its start to its end it holds the data lock and plans its
    // writes in the edit session; commit writes them all at once. A scope inside another (a
    // command inside a batch) joins the outer one. Leaving without commit forgets the writes
    // and, when the lists already showed them, reads the view again from the files.
    class WriteScope {
      public:
        explicit WriteScope(Controller& controller);
        ~WriteScope();
        WriteScope(const WriteScope&) = delete;
        WriteScope& operator=(const WriteScope&) = delete;
        // False when the command must not go on (the reason was said).
        bool ok() const { return ok_; }
        // The command changed files other than through the session.
        void changedFiles() { controller_.otherFilesChanged_ = true; }
        // False when the writes failed (said, and the view read again).
        bool commit();

      private:
        Controller& controller_;
        bool ok_ = false;
        bool done_ = false;
    };

    RowContext rowContext() const { return RowContext{settings_, names_}; }
    // Creates the search directories of a data directory used for the first time.
    void prepareFirstRun();
    // Runs a dialog that edits the settings; on OK they are saved at once. True on OK.
    bool editSettings(Form& form);
    // Saves the settings under the data lock; says so when they could not be written.
    bool storeSettings();
    // The data lock for reading or changing files outside a WriteScope; false (said) when busy.
    bool lockOrComplain(DataLockHold& hold);
    // Notes a change this program made under the lock, so it does not take it for another's.
    void noteOwnChange();
    // Reads settings, names, the tree and the selected node's ledger again, keeping the
    // passwords given and the selection.
    void reloadFromDisk();
    // Reads the shown node's ledger again (the lists showed writes that did not reach the
    // files), keeping the selected rows.
    void reloadView();
    void clearLists();
    bool loadAccount(AccountNode& node);
    // Asks a sealed account's passphrase and derives its key into the node: false (with the
    // message) when the passphrase was not given or is wrong, or the file is damaged.
    bool unlockSealed(AccountNode& node,
                      const std::array<std::uint8_t, kSealPreambleSize>& preamble);
    void refreshTotals(Extended delta);
    bool inBatch() const { return batchOpen_; }
    // Writes the session's planned writes (and counts other files changed by the command);
    // false when they failed (said, and the view read again).
    bool commitSession();
    // Row insertion and removal that keep each list's selection on its row.
    void insertRow(LedgerList list, std::size_t position, LedgerRow row);
    void eraseRow(LedgerList list, std::size_t position);
    // A new transaction or fund row: at the top of its list, which is then sorted by date (in a
    // batch the rows gather at the end and go to the top, sorted, when the batch ends).
    void addDatedRow(LedgerList list, LedgerRow row);
    void finishDatedRows(LedgerList list);
    // Plans `trade` as a new slot of the current account and shows its row; the slot, or -1.
    int addTradeRow(const TradeRecord& trade);
    // Applies `change` to the held or sold position of `trade`'s code in the current account,
    // creating the position (dated and priced by `trade`) or closing it. False when the
    // position's slot could not be planned.
    bool applyToPosition(LedgerList list, const TradeRecord& trade, const PositionChange& change);
    // Applies `trade` to every position its type changes, `changeIn` giving the change in each
    // list, and reports a position that could not be written.
    void applyToPositions(const TradeRecord& trade,
                          const std::function<PositionChange(LedgerList)>& changeIn);
    // Applies a newly recorded `trade`.
    void applyToPositions(const TradeRecord& trade);
    // Whether the positions of the current account can take `changeIn` of `trade` within their
    // stored fields; says so when not.
    bool positionsFit(const TradeRecord& trade,
                      const std::function<PositionChange(LedgerList)>& changeIn);
    // The row of the held or sold position of `code` in `account`, if there is one.
    std::optional<std::size_t> positionRow(LedgerList list, const AccountNode* account,
                                           const std::string& code) const;
    StockRecord newPosition(const TradeRecord& trade, const PositionChange& change, bool held,
                            const AccountNode& account);
    // A new transaction after its dialog: planned, applied to the positions, committed.
    bool recordNew(const TradeRecord& trade);
    bool addFundRow(AccountNode& account, const FundRecord& fund);
    // The selected data row of `list`, or nothing (with `complaint` as an error message).
    LedgerRow* selectedItemRow(LedgerList list, const char* complaint);
    // The stock list the stock commands work on: the sold list while it has the focus.
    LedgerList stockCommandList() const;
    // Marks the slots of a stock row (`stock`, the position, and its memo) deleted and removes
    // the row; false, with the row kept, when the position's slot could not be written.
    // Gives an edited sale the cost basis a sale of its shares, price and fee would have had
    // from the holding as it stood before `old`; false (with a message) when it sells more
    // shares than were held.
    bool recomputeCostBasis(const TradeRecord& old, TradeRecord& sale);
    bool deleteStockRow(LedgerList list, std::size_t position, const StockRecord& stock,
                        bool closedBySale = false);
    // The holding of `code` a sale closed last in `account`'s file, if it is still there.
    std::optional<ClosedHolding> closedHolding(const AccountNode& account, std::string_view code);
    void recordNewTrade(TradeType type, std::int64_t reserved);
    void recordOnHolding(TradeType type);
    // A transaction of `type` on the selected holding, or nothing (with the message).
    std::optional<TradeRecord> tradeOnSelectedHolding(int type);
    // A transaction of `type` on the holding of `row`, dated `date`, as the commands on a
    // holding start it from the position's bytes; the holding's account becomes the current one.
    TradeRecord tradeOnHolding(const LedgerRow& row, int type, const Date& date);
    // Turns the subscription of `row` into its allotment of `won` shares (0 < won <= the shares
    // asked for), with a 不中 row for the shares not allotted.
    void recordAllotment(LedgerRow& row, std::int32_t won);
    // Records the new entries of `preview` into `account` in their order, as one command.
    void recordStatement(AccountNode& account, const StatementPreview& preview);
    void recordStatementEntry(AccountNode& account, const StatementEntry& entry);
    LedgerRow* selectedSubscription();
    // Re-sorts the transaction or fund list; the selected row stays selected.
    void sortKeepingSelection(LedgerList list);
    // The selected account node, or nothing (with the message that an account must be chosen).
    TreeNode* selectedAccountOrComplain();
    void changed() { ++viewRevision_; }
    // Asks `question` (UTF-8), then writes each file `files` makes for the node's name into the
    // export directory, replacing any old file whole, and says where they went.
    struct ExportFile {
        std::string name;  // GBK
        std::string content;
    };
    void exportFiles(const char* question,
                     const std::function<std::vector<ExportFile>(const std::string&)>& files);

    Ui& ui_;
    FileSystem& fs_;
    Clock& clock_;
    LcgRandom random_;
    Settings settings_;
    NameTable names_;
    std::unique_ptr<BudgetForm> budget_;
    CommandStates commands_;
    std::string statusDate_;
    std::string statusWeekday_;

    AccountTree tree_;
    std::optional<int> selected_;
    bool labelsEditable_ = false;
    std::string treeHint_;

    LedgerLists lists_;
    PortfolioTotals totals_;
    TotalsPanel panel_;
    LedgerFocus focus_;
    std::array<std::optional<int>, 4> selectedRows_{};
    LedgerList focusedList_ = LedgerList::Holdings;
    std::string exportDirectory_;
    std::vector<PriceUpdateLine> priceUpdate_;
    int viewRevision_ = 0;

    // The writes of the command running now.
    EditSession session_;
    DataLock lock_;
    bool lockHeldForRun_ = false;
    // The data directory's change count this view was read at.
    std::uint64_t knownGeneration_ = 0;
    int writeDepth_ = 0;
    bool batchOpen_ = false;
    // A batch's new rows at the end of the transaction and fund lists, from where they start.
    std::array<std::optional<std::size_t>, 4> batchRowsFrom_{};
    // A command inside the batch stopped half-way: the batch writes nothing.
    bool batchSpoiled_ = false;
    // The command changed files outside the session (settings, names, headers, compaction).
    bool otherFilesChanged_ = false;
    // False when the settings file exists but could not be read: it is never replaced then.
    bool settingsReadable_ = true;
    int openings_ = 0;
    bool firstRun_ = false;
};

}  // namespace tallivan
