// The hints the commands carry in the registry, split for the tool tip and the status bar.
#pragma once

#include <QString>

namespace tallivan::gui {

// The hint of the main window itself, shown wherever nothing more specific has one.
extern const char* const kWindowHint;

// The tool tip part of a hint (before the first "|") and the status text (after it).
QString shortHint(const QString& hint);
QString longHint(const QString& hint);

}  // namespace tallivan::gui
