// Typing into the widgets of a GUI test as a person does, one key press at a time.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QTest>

namespace tallivan::testing {

// Types any text, one key press per character (QTest::keyClicks takes Latin-1 only).
inline void typeText(QWidget* widget, const QString& text) {
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Types into an edit as a person does: focus, select all, keys, then Tab away.
inline QLineEdit* typeInto(QLineEdit* edit, const QString& keys) {
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, keys);
    QTest::keyClick(edit, Qt::Key_Tab);
    return edit;
}

}  // namespace tallivan::testing
