// Binds a core form's fields to the widgets of the same object name below a root widget.
// Field texts and states flow to the widgets; leaving a widget, choosing an entry, ticking a
// box and clicking a button flow back as the form's events, after which every bound widget is
// refreshed and the form's focus request obeyed. The form must outlive the bound widgets.
//
// Widgets understood: QLineEdit and QPlainTextEdit (edit, memo), QComboBox, QListWidget,
// RadioGroup, QCheckBox, QLabel, QGroupBox (its caption) and any other QAbstractButton (a
// button). A QLabel named by suffixLabelName shows the field's suffix.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "forms/form.h"

class QLabel;

namespace tallivan::gui {

// The object name of the label that shows a field's suffix.
QString suffixLabelName(const std::string& fieldName);

class FormBinder : public QObject {
    Q_OBJECT
  public:
    FormBinder(Form& form, QWidget* root);

    // Fields to widgets, then the focus request.
    void refresh();

    QWidget* widget(const std::string& fieldName) const;
    // The form's fields the view has no widget for (none in a sound view).
    const std::vector<std::string>& unboundFields() const { return unbound_; }

    // Moves the focus from the bound widget `from` to the next field in the form's order that
    // can take it (read-only fields too, a radio group on its chosen button); false when `from`
    // is not bound.
    bool focusNext(QWidget* from);

    // Runs after every event forwarded to the form (a dialog closes itself there).
    std::function<void()> afterEvent;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Binding {
        std::string name;
        QPointer<QWidget> widget;
        std::vector<QPointer<QLabel>> labels;  // labels whose buddy is the widget
        QPointer<QLabel> suffix;               // the label showing the field's suffix
        Qt::FocusPolicy focusPolicy;           // the policy while the field is a tab stop
        const QMetaObject* type;               // the widget's class
    };

    void bind(const Field& field, QWidget* widget);
    const Binding* bindingOf(const QObject* widget) const;
    // The widget's text into the field (edits), then the form's leave handler.
    void leave(const Binding& binding);
    void click(const Binding& binding);
    void finishEvent();
    void refreshWidget(const Field& field, const Binding& binding);
    void obeyFocusRequest();

    Form& form_;
    std::vector<std::string> unbound_;
    QWidget* root_;
    std::vector<Binding> bindings_;
    bool refreshing_ = false;
    bool redirecting_ = false;
    int leaves_ = 0;
};

}  // namespace tallivan::gui
