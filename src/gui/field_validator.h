// Keeps what a person types into a field's edit within the field's rules while typing: ASCII
// letters turned to lower case when the field asks for it, and no more GBK bytes than its limit
// (a keystroke that would exceed it is refused, as a byte-limited edit does).
#pragma once

#include <QString>
#include <QValidator>
#include <string>

#include "forms/form.h"

namespace tallivan::gui {

// Applies the field's typing rules to `text`; false when the result is over its byte limit.
bool fitTyping(const Field& field, QString& text);

class FieldValidator : public QValidator {
  public:
    // Reads the field's current rules at each keystroke, so later changes apply at once.
    FieldValidator(const Form& form, std::string fieldName, QObject* parent);

    State validate(QString& input, int& position) const override;

  private:
    const Form& form_;
    std::string name_;
};

}  // namespace tallivan::gui
