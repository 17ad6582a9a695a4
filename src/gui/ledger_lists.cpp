#include "ledger_lists.h"

#include <QHeaderView>
#include <QStandardItemModel>

namespace tallivan::gui {

namespace {

constexpr Qt::Alignment kLeft = Qt::AlignLeft;
constexpr Qt::Alignment kRight = Qt::AlignRight;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter;

}  // namespace

const std::vector<ListColumn>& listColumns(LedgerList list) {
    static const std::vector<ListColumn> held = {
        {"", 18, kLeft},        {"证券代码", 60, kLeft}, {"证券名称", 60, kLeft},
        {"股数", 42, kRight},   {"买价", 42, kRight},    {"总买价", 68, kRight},
        {"现价", 42, kRight},   {"总现价", 68, kRight},  {"盈亏", 60, kRight},
        {"盈亏率", 54, kRight}, {"保本价", 48, kRight},  {"止损价", 48, kRight},
        {"获利价", 48, kRight}, {"日期", 60, kCentre},   {"备注", 120, kLeft},
    };
    static const std::vector<ListColumn> sold = {
        {"", 18, kLeft},        {"证券代码", 60, kLeft}, {"证券名称", 60, kLeft},
        {"股数", 42, kRight},   {"买价", 42, kRight},    {"总买价", 68, kRight},
        {"卖价", 42, kRight},   {"总卖价", 68, kRight},  {"盈亏", 60, kRight},
        {"盈亏率", 54, kRight}, {"日期", 60, kCentre},   {"备注", 120, kLeft},
    };
    static const std::vector<ListColumn> trades = {
        {"", 18, kLeft},          {"日期", 60, kCentre},  {"证券代码", 60, kLeft},
        {"证券名称", 60, kLeft},  {"操作", 36, kCentre},  {"股数", 42, kRight},
        {"价格", 48, kRight},     {"税费", 54, kRight},   {"总金额", 72, kRight},
        {"盈亏金额", 72, kRight}, {"盈亏率", 54, kRight},
    };
    static const std::vector<ListColumn> funds = {
        {"", 18, kLeft},         {"日期", 60, kCentre},     {"名称", 56, kLeft},
        {"操作", 60, kLeft},     {"金额", 78, kRight},      {"备注", 120, kLeft},
        {"资金余额", 0, kRight}, {"资金使用率", 0, kRight},
    };
    switch (list) {
        case LedgerList::Held:
            return held;
        case LedgerList::Sold:
            return sold;
        case LedgerList::Trades:
            return trades;
        case LedgerList::Funds:
            break;
    }
    return funds;
}

QString listName(LedgerList list) {
    switch (list) {
        case LedgerList::Held:
            return "lsvBuy";
        case LedgerList::Sold:
            return "lsvSell";
        case LedgerList::Trades:
            return "lsvRec";
        case LedgerList::Funds:
            break;
    }
    return "lsvFund";
}

QTableView* makeLedgerView(LedgerList list, QWidget* parent) {
    const std::vector<ListColumn>& columns = listColumns(list);
    auto* view = new QTableView(parent);
    view->setObjectName(listName(list));
    // Headers only until the rows come: the view gets the list's row model then.
    auto* model = new QStandardItemModel(0, static_cast<int>(columns.size()), view);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        auto* header = new QStandardItem(QString::fromUtf8(columns[i].caption));
        header->setTextAlignment(columns[i].alignment | Qt::AlignVCenter);
        model->setHorizontalHeaderItem(i, header);
    }
    view->setModel(model);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    view->horizontalHeader()->setHighlightSections(false);
    view->horizontalHeader()->setMinimumSectionSize(0);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setShowGrid(true);
    view->setWordWrap(false);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        view->setColumnWidth(i, columns[i].width);
        view->setColumnHidden(i, columns[i].width == 0);
    }
    return view;
}

}  // namespace tallivan::gui
