#include "ledger_view.h"

#include <QHeaderView>
#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <array>

#include "ledger_lists.h"
#include "ledger_model.h"
#include "ledger_proxy.h"
#include "qt_text.h"

namespace tallivan::gui {

namespace {

constexpr int kImageColumnWidth = 18;

// Pixel widths of GBK texts in a font, character by character: every double-byte character
// as wide as a Chinese one, single bytes as they are. Enough to find a column's widest text
// among a hundred thousand without laying each one out.
class TextWidths {
  public:
    explicit TextWidths(const QFontMetrics& metrics) {
        for (int c = 0; c < 128; ++c)
            ascii_[static_cast<std::size_t>(c)] = metrics.horizontalAdvance(QChar(c));
        wide_ = metrics.horizontalAdvance(QChar(0x4E2D));
    }
    int of(std::string_view text) const {
        int width = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte < 0x80) {
                width += ascii_[byte];
            } else {
                width += wide_;
                ++i;
            }
        }
        return width;
    }

  private:
    std::array<int, 128> ascii_{};
    int wide_ = 0;
};

}  // namespace

LedgerView::LedgerView(LedgerModel* ledger, QWidget* parent)
    : QTableView(parent), ledger_(ledger), shown_(new LedgerProxyModel(ledger, this)) {
    setObjectName(listName(ledger->list()));
    setModel(shown_);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(std::max(fontMetrics().height() + 4, 18));
    QHeaderView* header = horizontalHeader();
    header->setHighlightSections(false);
    header->setMinimumSectionSize(0);
    header->setStretchLastSection(true);
    header->setSortIndicatorClearable(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    setSortingEnabled(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    setShowGrid(true);
    setWordWrap(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    const auto& columns = columnsOf(ledger->list());
    chosen_.assign(columns.size(), 0);
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        setColumnHidden(i, columns[static_cast<std::size_t>(i)].width == 0);
    connect(header, &QHeaderView::sectionResized, this,
            [this](int column, int, int newWidth) { columnResized(column, newWidth); });
    // A list refilled is fitted before it shows; texts changed in place (after any command or
    // selection) are fitted once the events of the moment are done, so a click stays quick.
    connect(ledger, &QAbstractItemModel::modelReset, this, &LedgerView::fitColumns);
    connect(ledger, &QAbstractItemModel::dataChanged, this, [this] {
        if (!fitPending_) {
            fitPending_ = true;
            QTimer::singleShot(0, this, &LedgerView::fitColumns);
        }
    });
    fitColumns();
}

void LedgerView::setChosenWidths(const std::vector<int>& widths) {
    for (std::size_t i = 0; i < chosen_.size() && i < widths.size(); ++i)
        chosen_[i] = std::max(0, widths[i]);
    fitColumns();
}

void LedgerView::setHint(const QString& hint) {
    if (hint == hint_)
        return;
    hint_ = hint;
    viewport()->update();
}

void LedgerView::showOriginalOrder() {
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
}

std::vector<int> LedgerView::widestTexts() const {
    // One pass over the rows, row by row: a hundred thousand rows take a few milliseconds.
    const auto columns = columnsOf(ledger_->list()).size();
    const TextWidths widths(fontMetrics());
    std::vector<int> most(columns, 0);
    std::vector<std::string_view> widest(columns);
    for (const LedgerRow& row : ledger_->rows()) {
        for (std::size_t c = 1; c < columns; ++c) {
            const std::string_view text = row.text(static_cast<int>(c));
            const int width = widths.of(text);
            if (width > most[c]) {
                most[c] = width;
                widest[c] = text;
            }
        }
    }
    // The text is laid out between the cell's margins and its grid line; a pixel to spare.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    for (std::size_t c = 1; c < columns; ++c) {
        if (!widest[c].empty())
            most[c] = std::max(most[c], fontMetrics().horizontalAdvance(toQt(widest[c]))) +
                      2 * margin + 2;
    }
    return most;
}

void LedgerView::fitColumns() {
    fitPending_ = false;
    fitting_ = true;
    const auto& columns = columnsOf(ledger_->list());
    const std::vector<int> texts = widestTexts();
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        if (isColumnHidden(i))
            continue;
        const auto at = static_cast<std::size_t>(i);
        const int width = i == 0
                              ? kImageColumnWidth
                              : std::max({columns[at].width, horizontalHeader()->sectionSizeHint(i),
                                          chosen_[at], texts[at]});
        if (columnWidth(i) != width)
            setColumnWidth(i, width);
    }
    fitting_ = false;
}

void LedgerView::columnResized(int column, int newWidth) {
    // The image column keeps its width, and the last column follows the width of the list.
    const QHeaderView* header = horizontalHeader();
    int last = header->count() - 1;
    while (last > 0 && header->isSectionHidden(header->logicalIndex(last)))
        --last;
    if (fitting_ || column <= 0 || column == header->logicalIndex(last))
        return;
    chosen_[static_cast<std::size_t>(column)] = newWidth;
}

void LedgerView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    if (hint_.isEmpty())
        return;
    // Below the rows there are (the summary row of a stock list), across the visible width.
    const int rows = model()->rowCount();
    const int top = rows > 0 ? rowViewportPosition(rows - 1) + rowHeight(rows - 1) : 0;
    const QRect room(0, top, viewport()->width(), viewport()->height() - top);
    if (room.height() < fontMetrics().height())
        return;
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(room.adjusted(8, 8, -8, -8),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, hint_);
}

}  // namespace tallivan::gui
