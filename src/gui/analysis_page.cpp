#include "analysis_page.h"

#include <QBuffer>
#include <QChartView>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>

#include "analysis_charts.h"
#include "base/gbk.h"
#include "base/numbers.h"
#include "qt_text.h"
#include "text_table_model.h"

namespace tallivan::gui {

namespace {

constexpr Qt::Alignment kLeft = Qt::AlignLeft;
constexpr Qt::Alignment kRight = Qt::AlignRight;

// A gain red and a loss green, as the lists show profit.
TextCell signedCell(std::int64_t milli) {
    return {QString::fromStdString(milliText(milli)),
            milli >= 0 ? QColor(255, 0, 0) : QColor(0, 128, 0)};
}

TextCell plainCell(const QString& text) {
    return {text, QColor()};
}

QString rateText(const std::optional<double>& percent) {
    return percent ? QString::fromStdString(percent2(*percent)) : QString("—");
}

QTableView* tableView(const char* name, TextTableModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->verticalHeader()->hide();
    // Rows of one height: a group of many stocks lists them all without slowing down.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(std::max(view->fontMetrics().height() + 4, 18));
    // A few short columns: they share the width the box has.
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    return view;
}

QGroupBox* box(const char* name, const QString& caption, QWidget* content, QWidget* parent) {
    auto* group = new QGroupBox(caption, parent);
    group->setObjectName(name);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(content);
    return group;
}

// Replaces the chart a view shows (the view owns its chart, but not one it let go of).
void showChart(QChartView* view, QChart* chart) {
    QChart* old = view->chart();
    view->setChart(chart);
    delete old;
}

}  // namespace

AnalysisPage::AnalysisPage(Controller& controller, QWidget* parent)
    : QWidget(parent), controller_(controller) {
    setObjectName("tabFx");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName("Splitter3");
    split->setChildrenCollapsible(false);
    split->addWidget(buildTables());
    split->addWidget(buildCharts());
    // The charts take what the tables leave; the tables keep room for a few years.
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({190, 410});
    layout->addWidget(split);
}

QWidget* AnalysisPage::buildTables() {
    // The yearly results on the left; the returns above the dividend tax on the right.
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    years_ = new TextTableModel({"年份", "已实现盈亏", "分红", "费用", "存入", "支取"},
                                {kLeft, kRight, kRight, kRight, kRight, kRight}, this);
    QTableView* yearsView = tableView("tblYears", years_, row);
    // A row a year: the amounts can be measured whole.
    yearsView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    yearsView->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(box("grpYears", "年度盈亏", yearsView, row), 5);

    auto* right = new QWidget(row);
    auto* column = new QVBoxLayout(right);
    column->setContentsMargins(0, 0, 0, 0);
    auto* rates = new QWidget(right);
    auto* form = new QHBoxLayout(rates);
    form->setContentsMargins(0, 0, 0, 0);
    moneyWeighted_ = new QLabel("—", rates);
    moneyWeighted_->setObjectName("lblMoneyWeighted");
    simple_ = new QLabel("—", rates);
    simple_->setObjectName("lblSimple");
    moneyWeighted_->setToolTip("按每笔存入、支取的日期和今天的净现值计算的年化收益率");
    simple_->setToolTip("净盈利除以资金总额, 与资金明细的盈利率相同");
    for (auto [caption, value] :
         {std::pair{"资金加权年化:", moneyWeighted_}, std::pair{"简单盈利率:", simple_}}) {
        auto* label = new QLabel(caption, rates);
        label->setBuddy(value);
        label->setToolTip(value->toolTip());
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addWidget(label);
        form->addWidget(value);
        form->addSpacing(12);
    }
    form->addStretch(1);
    column->addWidget(box("grpReturns", "收益率", rates, right));

    tax_ = new TextTableModel({"证券代码", "证券名称", "股数", "待缴红利税"},
                              {kLeft, kLeft, kRight, kRight}, this);
    QTableView* taxView = tableView("tblDividendTax", tax_, right);
    taxView->setToolTip("今天卖出持有股票时将补扣的红利税: 持有一个月以内20%, 一年以内10%");
    column->addWidget(box("grpDividendTax", "待缴红利税", taxView, right), 1);
    layout->addWidget(right, 4);
    return row;
}

QWidget* AnalysisPage::buildCharts() {
    charts_ = new QTabWidget(this);
    charts_->setObjectName("tabCharts");
    const char* const names[kChartCount] = {"chtYears", "chtHoldings", "chtMonths"};
    const char* const captions[kChartCount] = {"盈亏与分红", "持仓市值", "资金走势"};
    for (int i = 0; i < kChartCount; ++i) {
        auto* view = new QChartView(charts_);
        view->setObjectName(names[i]);
        view->setRenderHint(QPainter::Antialiasing);
        views_[static_cast<std::size_t>(i)] = view;
        charts_->addTab(view, captions[i]);
    }
    auto* save = new QPushButton("保存图片(&S)...", charts_);
    save->setObjectName("cmdSaveChart");
    save->setToolTip("把显示的图表保存为PNG图片");
    connect(save, &QPushButton::clicked, this, [this] { saveShownChart(); });
    charts_->setCornerWidget(save);
    return charts_;
}

void AnalysisPage::refresh() {
    stale_ = true;
    if (isVisible())
        showAnalysis();
}

void AnalysisPage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_)
        showAnalysis();
}

void AnalysisPage::showAnalysis() {
    stale_ = false;
    const NodeAnalysis analysis = controller_.analysis(Controller::MonthEndValues::FromDayFiles);

    std::vector<std::vector<TextCell>> years;
    const auto yearRow = [&years](const QString& year, const YearResult& r) {
        years.push_back({plainCell(year), signedCell(r.realised), signedCell(r.dividends),
                         plainCell(QString::fromStdString(milliText(r.fees))),
                         plainCell(QString::fromStdString(milliText(r.deposits))),
                         plainCell(QString::fromStdString(milliText(r.withdrawals)))});
    };
    for (const YearResult& r : analysis.years.years)
        yearRow(QString::number(r.year), r);
    yearRow("合计", analysis.years.total);
    years_->setRows(std::move(years));

    moneyWeighted_->setText(rateText(analysis.returns.moneyWeighted));
    simple_->setText(rateText(analysis.returns.simple));

    std::vector<std::vector<TextCell>> tax;
    tax.reserve(analysis.dividendTax.holdings.size() + 1);
    for (const HoldingTax& h : analysis.dividendTax.holdings) {
        tax.push_back({plainCell(toQt(h.code)), plainCell(toQt(controller_.names().nameOf(h.code))),
                       plainCell(QString::number(h.shares)),
                       plainCell(QString::fromStdString(milliText(h.tax)))});
    }
    tax.push_back({plainCell("合计"), plainCell(QString()), plainCell(QString()),
                   plainCell(QString::fromStdString(milliText(analysis.dividendTax.total)))});
    tax_->setRows(std::move(tax));

    showChart(views_[0], yearsChart(analysis.years));
    showChart(views_[1], holdingsChart(analysis.holdings));
    showChart(views_[2], monthsChart(analysis.months));
}

bool AnalysisPage::saveChart(int index, const QString& path) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!chartView(index)->grab().save(&buffer, "PNG"))
        return false;
    return replaceFileDurably(controller_.files(), fromQt(path), png.toStdString()) == 0;
}

void AnalysisPage::saveShownChart() {
    const int index = charts_->currentIndex();
    QString path = QFileDialog::getSaveFileName(this, "保存图片", charts_->tabText(index) + ".png",
                                                "PNG 图片 (*.png)");
    if (path.isEmpty())
        return;
    if (!path.endsWith(".png", Qt::CaseInsensitive))
        path += ".png";
    if (!saveChart(index, path)) {
        controller_.ui().message(gbk("保存图片出错!"), gbk("错误"), MessageIcon::Error,
                                 MessageButtons::Ok);
    }
}

}  // namespace tallivan::gui
