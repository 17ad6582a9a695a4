// The status bar's row of sunken panels. Each panel has a fixed width and they stand side by
// side from the left; a panel that does not fit is cut at the right edge, so no width ever
// keeps the window from shrinking.
#pragma once

#include <QLabel>
#include <QWidget>
#include <vector>

namespace tallivan::gui {

class StatusPanels : public QWidget {
  public:
    struct Panel {
        int width;
        Qt::Alignment alignment;
    };
    StatusPanels(const std::vector<Panel>& panels, QWidget* parent);

    QLabel* panel(int index) const { return labels_.at(static_cast<std::size_t>(index)); }
    // A width of 0 or less hides the panel.
    void setPanelWidth(int index, int width);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void placePanels();

    std::vector<QLabel*> labels_;
    std::vector<int> widths_;
};

}  // namespace tallivan::gui
