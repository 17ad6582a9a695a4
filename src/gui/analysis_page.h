// The page 分析 beside 股票, 交易 and 资金: the yearly results, the returns and the dividend tax
// ahead of the account or group shown, and its charts, each of which can be saved as a PNG
// image. It holds no ledger logic: everything it shows is the controller's analysis, made
// again when the ledger changed and the page is in view.
#pragma once

#include <QWidget>
#include <array>

#include "app/controller.h"

class QChartView;
class QLabel;
class QTabWidget;
class QTableView;

namespace tallivan::gui {

class TextTableModel;

class AnalysisPage : public QWidget {
    Q_OBJECT
  public:
    AnalysisPage(Controller& controller, QWidget* parent);

    // The ledger changed: shown at once while the page is in view, else when it comes into view.
    void refresh();

    // The charts: 0 the years, 1 the holdings, 2 the months.
    static constexpr int kChartCount = 3;
    QChartView* chartView(int index) const { return views_[static_cast<std::size_t>(index)]; }
    // Writes chart `index` as a PNG image to `path`, replacing any file whole; false when it
    // could not be written.
    bool saveChart(int index, const QString& path);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* buildTables();
    QWidget* buildCharts();
    void showAnalysis();
    void saveShownChart();

    Controller& controller_;
    bool stale_ = true;
    QLabel* moneyWeighted_ = nullptr;
    QLabel* simple_ = nullptr;
    TextTableModel* years_ = nullptr;
    TextTableModel* tax_ = nullptr;
    QTabWidget* charts_ = nullptr;
    std::array<QChartView*, kChartCount> views_{};
};

}  // namespace tallivan::gui
