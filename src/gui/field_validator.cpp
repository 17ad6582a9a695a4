#include "field_validator.h"

#include "qt_text.h"

namespace tallivan::gui {

bool fitTyping(const Field& field, QString& text) {
    if (field.lowerCase) {
        for (QChar& c : text) {
            if (c >= u'A' && c <= u'Z')
                c = QChar(c.unicode() + (u'a' - u'A'));
        }
    }
    return field.maxBytes == 0 || fromQt(text).size() <= field.maxBytes;
}

FieldValidator::FieldValidator(const Form& form, std::string fieldName, QObject* parent)
    : QValidator(parent), form_(form), name_(std::move(fieldName)) {}

QValidator::State FieldValidator::validate(QString& input, int&) const {
    return fitTyping(form_.field(name_), input) ? Acceptable : Invalid;
}

}  // namespace tallivan::gui
