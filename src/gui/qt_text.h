// The one crossing between the core's GBK strings and Qt's strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tallivan::gui {

QString toQt(std::string_view gbkText);
std::string fromQt(const QString& text);

}  // namespace tallivan::gui
