// The one crossing between the core's GBK strings and Qt's strings.
#pragma once

#include <QString>
#include <string>

namespace tallivan::gui {

QString toQt(const std::string& gbkText);
std::string fromQt(const QString& text);

}  // namespace tallivan::gui
