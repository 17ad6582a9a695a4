#include "qt_text.h"

#include "base/gbk.h"

namespace tallivan::gui {

QString toQt(std::string_view gbkText) {
    return QString::fromStdString(gbkToUtf8(gbkText));
}

std::string fromQt(const QString& text) {
    return utf8ToGbk(text.toStdString());
}

}  // namespace tallivan::gui
