#include "status_panels.h"

#include <algorithm>

namespace tallivan::gui {

StatusPanels::StatusPanels(const std::vector<Panel>& panels, QWidget* parent) : QWidget(parent) {
    for (std::size_t i = 0; i < panels.size(); ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QString("StatusPanel%1").arg(i));
        label->setAlignment(panels[i].alignment | Qt::AlignVCenter);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        labels_.push_back(label);
        widths_.push_back(panels[i].width);
    }
    placePanels();
}

void StatusPanels::setPanelWidth(int index, int width) {
    widths_.at(static_cast<std::size_t>(index)) = width;
    placePanels();
    updateGeometry();
}

QSize StatusPanels::sizeHint() const {
    int width = 0;
    for (int w : widths_)
        width += std::max(0, w);
    return {width, minimumSizeHint().height()};
}

QSize StatusPanels::minimumSizeHint() const {
    return {0, labels_.empty() ? 0 : labels_.front()->sizeHint().height()};
}

void StatusPanels::resizeEvent(QResizeEvent*) {
    placePanels();
}

void StatusPanels::placePanels() {
    int x = 0;
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const int w = std::max(0, widths_[i]);
        labels_[i]->setGeometry(x, 0, w, height());
        labels_[i]->setVisible(w > 0);
        x += w;
    }
}

}  // namespace tallivan::gui
