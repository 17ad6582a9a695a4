#include "form_binder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include "field_validator.h"
#include "locked_look.h"
#include "qt_text.h"
#include "radio_group.h"

namespace tallivan::gui {

namespace {

bool isButton(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) && !qobject_cast<const QCheckBox*>(widget);
}

// A group box that only frames other fields (a radio group is a group box too).
bool isPlainGroup(const QWidget* widget) {
    return qobject_cast<const QGroupBox*>(widget) && !qobject_cast<const RadioGroup*>(widget);
}

QStringList toQt(const std::vector<std::string>& items) {
    QStringList texts;
    for (const std::string& item : items)
        texts << gui::toQt(item);
    return texts;
}

QStringList itemsOf(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

QStringList itemsOf(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

// Keeps a memo's text within its field's rules as it is typed (an edit has a validator).
void fitMemo(QPlainTextEdit* memo, const Field& field) {
    QString text = memo->toPlainText();
    const QString typed = text;
    QTextCursor cursor = memo->textCursor();
    int position = cursor.position();
    if (!fitTyping(field, text)) {
        text = memo->property("tallivanAccepted").toString();
        position -= static_cast<int>(typed.size() - text.size());
    }
    memo->setProperty("tallivanAccepted", text);
    if (text == typed)
        return;
    const QSignalBlocker blocker(memo);
    memo->setPlainText(text);
    cursor = memo->textCursor();
    cursor.setPosition(std::clamp(position, 0, static_cast<int>(text.size())));
    memo->setTextCursor(cursor);
}

}  // namespace

QString suffixLabelName(const std::string& fieldName) {
    return QString::fromStdString(fieldName) + "Suffix";
}

FormBinder::FormBinder(Form& form, QWidget* root) : QObject(root), form_(form), root_(root) {
    for (const Field& f : form_.fields()) {
        if (auto* widget = root->findChild<QWidget*>(QString::fromStdString(f.name)))
            bind(f, widget);
        else
            unbound_.push_back(f.name);
    }
    // A field without its widget is a view that names it differently from its form.
    Q_ASSERT_X(unbound_.empty(), "FormBinder", unbound_.front().c_str());
    refresh();
}

QWidget* FormBinder::widget(const std::string& fieldName) const {
    for (const Binding& b : bindings_) {
        if (b.name == fieldName)
            return b.widget;
    }
    return nullptr;
}

bool FormBinder::focusNext(QWidget* from) {
    const auto& fields = form_.fields();
    std::size_t at = fields.size();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (widget(fields[i].name) == from)
            at = i;
    }
    if (at == fields.size())
        return false;
    for (std::size_t step = 1; step < fields.size(); ++step) {
        QWidget* next = widget(fields[(at + step) % fields.size()].name);
        // Frames and captions never take the focus.
        if (!next || (isPlainGroup(next) || qobject_cast<QLabel*>(next)) ||
            !next->isVisibleTo(root_) || !next->isEnabled())
            continue;
        if (auto* radio = qobject_cast<RadioGroup*>(next)) {
            // A radio group takes the focus on its chosen button.
            const auto buttons = radio->findChildren<QRadioButton*>();
            QRadioButton* target = buttons.isEmpty() ? nullptr : buttons.first();
            for (QRadioButton* b : buttons) {
                if (b->isChecked())
                    target = b;
            }
            if (!target)
                continue;
            next = target;
        } else if (next->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        next->setFocus(Qt::TabFocusReason);
        return true;
    }
    return true;
}

void FormBinder::bind(const Field& field, QWidget* widget) {
    const std::string name = field.name;
    Binding binding{name,
                    widget,
                    {},
                    root_->findChild<QLabel*>(suffixLabelName(name)),
                    widget->focusPolicy(),
                    widget->metaObject()};
    for (QLabel* label : root_->findChildren<QLabel*>()) {
        if (label->buddy() == widget)
            binding.labels.emplace_back(label);
    }

    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setValidator(new FieldValidator(form_, name, edit));
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        memo->setTabChangesFocus(true);
        connect(memo, &QPlainTextEdit::textChanged, this, [this, memo, name] {
            if (!refreshing_)
                fitMemo(memo, form_.field(name));
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
            form_.select(name, row);
            finishEvent();
        });
    } else if (auto* radio = qobject_cast<RadioGroup*>(widget)) {
        connect(radio, &RadioGroup::activated, this, [this, name](int index) {
            form_.select(name, index);
            finishEvent();
        });
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        connect(check, &QCheckBox::clicked, this, [this, name](bool on) {
            form_.toggle(name, on);
            finishEvent();
        });
    } else if (isButton(widget)) {
        // A click moves the focus to the button itself (see click()), not the mouse press, so
        // a message shown by the field being left never swallows the click.
        binding.focusPolicy = Qt::TabFocus;
        connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
                [this, index = bindings_.size()] { click(bindings_[index]); });
    }
    if (!isButton(widget) && !qobject_cast<QLabel*>(widget) && !isPlainGroup(widget))
        widget->installEventFilter(this);
    bindings_.push_back(std::move(binding));
}

const FormBinder::Binding* FormBinder::bindingOf(const QObject* widget) const {
    for (const Binding& b : bindings_) {
        if (b.widget == widget)
            return &b;
    }
    return nullptr;
}

bool FormBinder::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Another window taking over (a message box) or a popup menu is not leaving the field;
        // nor is a widget in destruction, which no longer has its own type.
        const Binding* b = bindingOf(watched);
        if (b && !refreshing_ && !redirecting_ && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::PopupFocusReason && watched->metaObject() == b->type) {
            leave(*b);
            finishEvent();
        }
    } else if (event->type() == QEvent::KeyPress && qobject_cast<QPlainTextEdit*>(watched)) {
        // Enter in a memo moves on instead of breaking the line.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::sendEvent(watched, &tab);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void FormBinder::leave(const Binding& binding) {
    ++leaves_;
    if (auto* edit = qobject_cast<QLineEdit*>(binding.widget.data())) {
        form_.type(binding.name, fromQt(edit->text()));
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(binding.widget.data())) {
        form_.type(binding.name, fromQt(memo->toPlainText()));
    }
    form_.leave(binding.name);
}

void FormBinder::click(const Binding& binding) {
    // The button takes the focus first, so the handler of the field being left runs before it.
    QWidget* before = root_->window()->focusWidget();
    const int leavesBefore = leaves_;
    binding.widget->setFocus(Qt::OtherFocusReason);
    if (leaves_ == leavesBefore && before != binding.widget) {
        // A window that is not active gets no focus events: leave the field here.
        const Binding* from = bindingOf(before);
        if (from && !isButton(from->widget) && !qobject_cast<RadioGroup*>(from->widget.data())) {
            leave(*from);
            refresh();
        }
    }
    if (!form_.isOpen())
        return;
    form_.press(binding.name);
    finishEvent();
}

void FormBinder::finishEvent() {
    refresh();
    if (afterEvent)
        afterEvent();
}

void FormBinder::refresh() {
    refreshing_ = true;
    for (const Binding& b : bindings_) {
        if (b.widget)
            refreshWidget(form_.field(b.name), b);
    }
    refreshing_ = false;
    obeyFocusRequest();
}

void FormBinder::refreshWidget(const Field& f, const Binding& b) {
    QWidget* widget = b.widget;
    widget->setEnabled(f.enabled);
    widget->setVisible(f.visible);
    for (const QPointer<QLabel>& label : b.labels) {
        if (!label)
            continue;
        label->setVisible(f.visible);
        // Some labels change with the dialog's mode (税费 or 红利).
        if (!f.label.empty() && label->text() != gui::toQt(f.label))
            label->setText(gui::toQt(f.label));
    }
    if (b.suffix) {
        b.suffix->setVisible(f.visible);
        b.suffix->setText(gui::toQt(f.suffix));
    }
    if (isPlainGroup(widget)) {
        if (!f.text.empty())
            static_cast<QGroupBox*>(widget)->setTitle(gui::toQt(f.text));
        return;
    }
    if (f.tabStop) {
        widget->setFocusPolicy(b.focusPolicy);
    } else {
        widget->setFocusPolicy(isButton(widget) ? Qt::NoFocus : Qt::ClickFocus);
    }

    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        const QString text = gui::toQt(f.text);
        if (edit->text() != text)
            edit->setText(text);
        edit->setReadOnly(f.readOnly || f.locked);
        edit->setEchoMode(f.masked ? QLineEdit::Password : QLineEdit::Normal);
        setLockedLook(edit, f.locked);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        const QString text = gui::toQt(f.text);
        if (memo->toPlainText() != text)
            memo->setPlainText(text);
        memo->setProperty("tallivanAccepted", text);
        memo->setReadOnly(f.readOnly || f.locked);
        setLockedLook(memo, f.locked);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        const QStringList items = toQt(f.items);
        if (itemsOf(combo) != items) {
            combo->clear();
            combo->addItems(items);
        }
        combo->setCurrentIndex(f.selected);
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
        const QStringList items = toQt(f.items);
        if (itemsOf(list) != items) {
            list->clear();
            list->addItems(items);
        }
        list->setCurrentRow(f.selected);
    } else if (auto* radio = qobject_cast<RadioGroup*>(widget)) {
        const QStringList items = toQt(f.items);
        if (radio->items() != items)
            radio->setItems(items);
        radio->setCurrentIndex(f.selected);
    } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
        check->setText(gui::toQt(f.label));
        check->setChecked(f.checked);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(gui::toQt(f.text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(gui::toQt(f.label));
    }
}

void FormBinder::obeyFocusRequest() {
    if (form_.focusRequest().empty())
        return;
    QWidget* target = widget(form_.focusRequest());
    form_.clearFocusRequest();
    if (!target)
        return;
    // Sending the focus back is no leaving of the widget that was about to get it.
    redirecting_ = true;
    target->setFocus(Qt::OtherFocusReason);
    redirecting_ = false;
    if (auto* edit = qobject_cast<QLineEdit*>(target))
        edit->selectAll();
}

}  // namespace tallivan::gui
