// Looks up a named widget for a GUI test. A missing one stops the test run at once with its
// name, instead of a crash later on a null pointer.
#pragma once

#include <QObject>
#include <QtGlobal>

namespace tallivan::testing {

template <typename T>
T* findWidget(const QObject* parent, const char* name) {
    T* widget = parent->findChild<T*>(name);
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

}  // namespace tallivan::testing
