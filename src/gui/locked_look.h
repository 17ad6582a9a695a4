// The look of a locked field: read-only, painted in the 3-D face colour instead of the window
// colour.
#pragma once

class QWidget;

namespace tallivan::gui {

void setLockedLook(QWidget* widget, bool locked);

}  // namespace tallivan::gui
