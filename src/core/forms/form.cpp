#include "forms/form.h"

#include <stdexcept>

#include "base/gbk.h"

namespace tallivan {

Form::Form(Ui& ui, std::string caption) : ui_(ui), caption_(std::move(caption)) {}

Field& Form::field(std::string_view name) {
    for (Field& f : fields_) {
        if (f.name == name)
            return f;
    }
    throw std::out_of_range("no field " + std::string(name));
}

const Field& Form::field(std::string_view name) const {
    return const_cast<Form*>(this)->field(name);
}

bool Form::hasField(std::string_view name) const {
    for (const Field& f : fields_) {
        if (f.name == name)
            return true;
    }
    return false;
}

void Form::type(std::string_view fieldName, const std::string& text) {
    Field& f = field(fieldName);
    f.text = fitToField(f, text);
}

void Form::leave(std::string_view fieldName) {
    entryRefused_ = false;
    onLeave(fieldName);
}

void Form::onLeave(std::string_view) {}
void Form::press(std::string_view) {}

void Form::select(std::string_view fieldName, int index) {
    Field& f = field(fieldName);
    f.selected = index >= 0 && index < static_cast<int>(f.items.size()) ? index : -1;
}

void Form::toggle(std::string_view fieldName, bool checked) {
    field(fieldName).checked = checked;
}

void Form::cancel() {
    close(Result::Cancel);
}

Field& Form::add(Field f) {
    fields_.push_back(std::move(f));
    return fields_.back();
}

Field& Form::addEdit(std::string name, std::string label, std::size_t maxBytes) {
    Field f;
    f.name = std::move(name);
    f.kind = FieldKind::Edit;
    f.label = std::move(label);
    f.maxBytes = maxBytes;
    return add(std::move(f));
}

Field& Form::addButton(std::string name, std::string caption) {
    Field f;
    f.name = std::move(name);
    f.kind = FieldKind::Button;
    f.label = std::move(caption);
    return add(std::move(f));
}

std::string fitToField(const Field& field, const std::string& text) {
    std::string fitted = field.lowerCase ? lowerAscii(text) : text;
    if (field.maxBytes > 0)
        fitted = cutGbk(fitted, field.maxBytes);
    return fitted;
}

}  // namespace tallivan
