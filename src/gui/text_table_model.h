// A read-only table of texts for the analysis page: a caption per column, each column aligned
// its own way, and a text colour per cell where one is given. The rows are set whole.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <vector>

namespace tallivan::gui {

struct TextCell {
    QString text;
    QColor colour;  // invalid: the view's own
};

class TextTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    TextTableModel(QStringList captions, std::vector<Qt::Alignment> alignments, QObject* parent);

    void setRows(std::vector<std::vector<TextCell>> rows);
    const std::vector<std::vector<TextCell>>& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    QStringList captions_;
    std::vector<Qt::Alignment> alignments_;
    std::vector<std::vector<TextCell>> rows_;
};

}  // namespace tallivan::gui
