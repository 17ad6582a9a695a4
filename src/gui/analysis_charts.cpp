#include "analysis_charts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QPieSeries>
#include <QPieSlice>
#include <QValueAxis>
#include <algorithm>

#include "qt_text.h"

namespace tallivan::gui {

namespace {

// The lists draw a gain red and a loss green; the dividends take lighter tones of the same.
const QColor kGain(255, 0, 0);
const QColor kLoss(0, 128, 0);
const QColor kDividendGain(255, 150, 150);
const QColor kDividendLoss(130, 200, 130);

QChart* newChart(const QString& title) {
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

// A set whose bars below zero are drawn in the loss colour.
QBarSet* signedSet(const QString& label, const std::vector<double>& values, const QColor& gain,
                   const QColor& loss) {
    auto* set = new QBarSet(label);
    set->setColor(gain);
    set->setBorderColor(gain.darker(130));
    set->setSelectedColor(loss);
    for (std::size_t i = 0; i < values.size(); ++i) {
        set->append(values[i]);
        if (values[i] < 0)
            set->selectBar(static_cast<int>(i));
    }
    return set;
}

// A value axis that takes in zero and every value, with a little room above and below.
QValueAxis* valueAxis(double low, double high) {
    auto* axis = new QValueAxis;
    low = std::min(low, 0.0);
    high = std::max(high, 0.0);
    if (low == high)
        high = 1;
    const double room = (high - low) * 0.05;
    axis->setRange(low < 0 ? low - room : low, high > 0 ? high + room : high);
    axis->setLabelFormat("%.0f");
    axis->applyNiceNumbers();
    return axis;
}

QDateTime monthEnd(const MonthPoint& point) {
    const QDate first(point.year, point.month, 1);
    return QDateTime(first.addMonths(1).addDays(-1), QTime(0, 0));
}

}  // namespace

QChart* yearsChart(const YearlyResults& results) {
    QChart* chart = newChart("已实现盈亏与分红");
    QStringList years;
    std::vector<double> realised, dividends;
    for (const YearResult& r : results.years) {
        years << QString::number(r.year);
        realised.push_back(static_cast<double>(r.realised) / 1000.0);
        dividends.push_back(static_cast<double>(r.dividends) / 1000.0);
    }
    auto* series = new QBarSeries;
    series->append(signedSet("已实现盈亏", realised, kGain, kLoss));
    series->append(signedSet("分红", dividends, kDividendGain, kDividendLoss));
    chart->addSeries(series);

    auto* categories = new QBarCategoryAxis;
    categories->append(years);
    chart->addAxis(categories, Qt::AlignBottom);
    series->attachAxis(categories);
    double low = 0, high = 0;
    for (const auto* values : {&realised, &dividends}) {
        for (double v : *values) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    QValueAxis* amounts = valueAxis(low, high);
    chart->addAxis(amounts, Qt::AlignLeft);
    series->attachAxis(amounts);
    return chart;
}

QChart* holdingsChart(const std::vector<ValueSlice>& slices) {
    QChart* chart = newChart("持仓市值");
    chart->legend()->setAlignment(Qt::AlignRight);
    auto* series = new QPieSeries;
    for (const ValueSlice& s : slices) {
        // A code without a name in the name table shows as itself.
        const QString name =
            s.code.empty() || s.name == s.code ? toQt(s.name) : toQt(s.code) + " " + toQt(s.name);
        series->append(name, s.value);
    }
    for (QPieSlice* slice : series->slices())
        slice->setLabel(
            QString("%1 %2%").arg(slice->label()).arg(slice->percentage() * 100, 0, 'f', 1));
    series->setLabelsVisible(series->count() <= 11);
    chart->addSeries(series);
    return chart;
}

QChart* monthsChart(const std::vector<MonthPoint>& months) {
    QChart* chart = newChart("资金走势");
    auto* invested = new QLineSeries;
    invested->setName("投入资金");
    auto* cost = new QLineSeries;
    cost->setName("持仓成本");
    auto* cash = new QLineSeries;
    cash->setName("现金");
    auto* value = new QLineSeries;
    value->setName("持仓市值");
    double low = 0, high = 0;
    const auto add = [&low, &high](QLineSeries* series, qint64 at, double v) {
        series->append(static_cast<qreal>(at), v);
        low = std::min(low, v);
        high = std::max(high, v);
    };
    for (const MonthPoint& m : months) {
        const qint64 at = monthEnd(m).toMSecsSinceEpoch();
        add(invested, at, m.invested);
        add(cost, at, m.holdingsCost);
        add(cash, at, m.cash);
        if (m.marketValue)
            add(value, at, *m.marketValue);
    }
    QList<QLineSeries*> all = {invested, cost, cash};
    if (value->count() > 0)
        all << value;
    else
        delete value;
    for (QLineSeries* series : all)
        chart->addSeries(series);

    auto* dates = new QDateTimeAxis;
    dates->setFormat("yyyy-MM");
    if (!months.empty()) {
        dates->setRange(monthEnd(months.front()), monthEnd(months.back()));
        dates->setTickCount(std::min<int>(static_cast<int>(months.size()), 7));
    }
    chart->addAxis(dates, Qt::AlignBottom);
    QValueAxis* amounts = valueAxis(low, high);
    chart->addAxis(amounts, Qt::AlignLeft);
    for (QLineSeries* series : all) {
        series->attachAxis(dates);
        series->attachAxis(amounts);
    }
    return chart;
}

}  // namespace tallivan::gui
