// Binds a core form's fields to the widgets of the same object name: texts and states flow from
// the form to the widgets; typing, leaving, choosing and clicking flow back as form events.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <string>

#include "forms/form.h"

namespace tallivan::gui {

QString toQt(const std::string& gbkText);
std::string fromQt(const QString& text);

class FormBinder : public QObject {
    Q_OBJECT
  public:
    // Binds every field of `form` that has a widget named like it below `root`.
    FormBinder(Form& form, QWidget* root);

    // Writes the form's fields into the widgets and obeys the form's focus request.
    void refresh();

    // Runs after every forwarded event (the generic dialog closes itself there).
    std::function<void()> afterEvent;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void bind(Field& field, QWidget* widget);
    // The edit a person typed into and has not left yet, left now.
    void leavePending();
    void leave(const std::string& name);
    void finishEvent();

    Form& form_;
    std::map<std::string, QPointer<QWidget>> widgets_;
    std::string pending_;
    bool refreshing_ = false;
};

}  // namespace tallivan::gui
