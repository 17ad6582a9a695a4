#include "form_binder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "base/gbk.h"

namespace tallivan::gui {

QString toQt(const std::string& gbkText) {
    return QString::fromStdString(gbkToUtf8(gbkText));
}

std::string fromQt(const QString& text) {
    return utf8ToGbk(text.toStdString());
}

FormBinder::FormBinder(Form& form, QWidget* root) : QObject(root), form_(form) {
    for (const Field& f : form_.fields()) {
        auto* widget = root->findChild<QWidget*>(QString::fromStdString(f.name));
        if (widget)
            bind(form_.field(f.name), widget);
    }
    refresh();
}

void FormBinder::bind(Field& field, QWidget* widget) {
    const std::string name = field.name;
    widgets_[name] = widget;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, name] { pending_ = name; });
        // Enter moves on to the next control, as Tab does.
        connect(edit, &QLineEdit::returnPressed, this, [edit] {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::sendEvent(edit, &tab);
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        connect(combo, qOverload<int>(&QComboBox::activated), this, [this, name](int index) {
            form_.select(name, index);
            finishEvent();
        });
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        connect(list, &QListWidget::currentRowChanged, this, [this, name](int row) {
            if (refreshing_ || row < 0)
                return;
            leavePending();
            form_.select(name, row);
            finishEvent();
        });
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        connect(check, &QCheckBox::toggled, this, [this, name](bool on) {
            if (refreshing_)
                return;
            form_.toggle(name, on);
            finishEvent();
        });
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        connect(button, &QAbstractButton::clicked, this, [this, name, button] {
            // The button takes the focus first, so the field being left is handled before it.
            button->setFocus(Qt::OtherFocusReason);
            leavePending();
            if (!form_.isOpen())
                return;
            form_.press(name);
            finishEvent();
        });
    }
}

bool FormBinder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !refreshing_) {
        for (const auto& [name, widget] : widgets_) {
            if (widget == watched && pending_ == name) {
                leavePending();
                finishEvent();
                break;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void FormBinder::leavePending() {
    if (pending_.empty())
        return;
    const std::string name = pending_;
    pending_.clear();
    leave(name);
}

void FormBinder::leave(const std::string& name) {
    auto* edit = qobject_cast<QLineEdit*>(widgets_[name].data());
    if (!edit)
        return;
    form_.type(name, fromQt(edit->text()));
    form_.leave(name);
}

void FormBinder::finishEvent() {
    refresh();
    if (afterEvent)
        afterEvent();
}

void FormBinder::refresh() {
    refreshing_ = true;
    for (const auto& [name, widget] : widgets_) {
        if (!widget)
            continue;
        const Field& f = form_.field(name);
        widget->setEnabled(f.enabled);
        widget->setVisible(f.visible);
        if (!f.tabStop)
            widget->setFocusPolicy(Qt::ClickFocus);
        if (auto* edit = qobject_cast<QLineEdit*>(widget.data())) {
            const QString text = toQt(f.text);
            if (edit->text() != text)
                edit->setText(text);
            edit->setReadOnly(f.readOnly || f.locked);
            edit->setEchoMode(f.masked ? QLineEdit::Password : QLineEdit::Normal);
            if (f.maxBytes > 0)
                edit->setMaxLength(static_cast<int>(f.maxBytes));
            QPalette palette = edit->palette();
            palette.setColor(QPalette::Base, f.locked ? edit->palette().color(QPalette::Light)
                                                      : QPalette().color(QPalette::Base));
            edit->setPalette(palette);
        } else if (auto* combo = qobject_cast<QComboBox*>(widget.data())) {
            if (combo->count() != static_cast<int>(f.items.size())) {
                combo->clear();
                for (const std::string& item : f.items)
                    combo->addItem(toQt(item));
            }
            combo->setCurrentIndex(f.selected);
        } else if (auto* list = qobject_cast<QListWidget*>(widget.data())) {
            if (list->count() != static_cast<int>(f.items.size()))
                list->clear();
            for (int i = 0; i < static_cast<int>(f.items.size()); ++i) {
                const QString text = toQt(f.items[static_cast<std::size_t>(i)]);
                if (i < list->count()) {
                    if (list->item(i)->text() != text)
                        list->item(i)->setText(text);
                } else {
                    list->addItem(text);
                }
            }
            list->setCurrentRow(f.selected);
        } else if (auto* check = qobject_cast<QCheckBox*>(widget.data())) {
            check->setChecked(f.checked);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget.data())) {
            button->setText(toQt(f.label));
        }
    }
    refreshing_ = false;
    if (!form_.focusRequest().empty()) {
        const auto it = widgets_.find(form_.focusRequest());
        form_.clearFocusRequest();
        if (it != widgets_.end() && it->second) {
            // After the focus change under way, which may be what ran the handler.
            QPointer<QWidget> target = it->second;
            QTimer::singleShot(0, this, [target] {
                if (!target)
                    return;
                target->setFocus(Qt::OtherFocusReason);
                if (auto* edit = qobject_cast<QLineEdit*>(target.data()))
                    edit->selectAll();
            });
        }
    }
}

}  // namespace tallivan::gui
