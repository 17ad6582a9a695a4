#include "command_hints.h"

namespace tallivan::gui {

const char* const kWindowHint = "Tallivan V1.00 2000.12.17";

QString shortHint(const QString& hint) {
    return hint.section('|', 0, 0);
}

QString longHint(const QString& hint) {
    const auto bar = hint.indexOf('|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

}  // namespace tallivan::gui
