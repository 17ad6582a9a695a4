// A dialog without widgets: its fields with their state, and one method per event it reacts to.
// A view (Qt) or a script (CLI) binds to the fields by name and forwards leaving a field,
// pressing a button and choosing a list entry.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "forms/field_ids.h"
#include "forms/ui.h"

namespace tallivan {

enum class FieldKind { Edit, Button, List, Combo, Check, Radio, Label, Memo };

struct Field {
    std::string name;  // the control's name, e.g. "txtStockNum"
    FieldKind kind = FieldKind::Edit;
    std::string label;   // GBK: the label beside an edit, or a button's caption
    std::string text;    // GBK: an edit's text
    std::string suffix;  // GBK: a text shown after an edit ("%", "/千股"); a form may change it
    bool readOnly = false;
    bool enabled = true;
    bool visible = true;
    bool tabStop = true;
    bool locked = false;             // read-only and painted in the 3-D light colour
    bool masked = false;             // shows "*" for each character
    bool lowerCase = false;          // letters turned to lower case as typed
    std::size_t maxBytes = 0;        // 0: no limit; counted in GBK bytes
    std::vector<std::string> items;  // list, combo and radio entries (GBK)
    int selected = -1;               // the selected entry, or -1
    bool checked = false;            // check box
};

class Form {
  public:
    enum class Result { Open, Ok, Cancel };

    Form(Ui& ui, std::string caption);
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Ui& ui() { return ui_; }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { caption_ = std::move(caption); }

    // Fields in tab order.
    const std::deque<Field>& fields() const { return fields_; }
    Field& field(std::string_view name);
    const Field& field(std::string_view name) const;
    bool hasField(std::string_view name) const;

    // What a person does. Typing keeps the byte limit and the lower-case rule of the field.
    void type(std::string_view fieldName, const std::string& text);
    // Leaving a field runs the form's handler for it.
    void leave(std::string_view fieldName);
    virtual void press(std::string_view buttonName);
    virtual void select(std::string_view fieldName, int index);
    virtual void toggle(std::string_view fieldName, bool checked);
    // Esc or the window's close box.
    virtual void cancel();

    Result result() const { return result_; }
    bool isOpen() const { return result_ == Result::Open; }

    // The field the form wants the focus on next (set by handlers; the view obeys and clears it).
    const std::string& focusRequest() const { return focus_; }
    void clearFocusRequest() { focus_.clear(); }
    void requestFocus(std::string_view fieldName) { focus_ = std::string(fieldName); }

    // The field being left refused its entry (the number-field readers say so). OK right after
    // it is not taken, so a value the person did not mean is never stored.
    void refuseEntry() { entryRefused_ = true; }
    // Whether the field left last refused its entry (a script stops there).
    bool entryRefused() const { return entryRefused_; }

    // Tells the view that field texts or states changed outside an event it forwarded.
    int revision() const { return revision_; }
    void touch() { ++revision_; }

  protected:
    virtual void onLeave(std::string_view fieldName);
    // Whether the field left last refused its entry; asking clears it.
    bool takeRefusedEntry() { return std::exchange(entryRefused_, false); }
    // The OK and Cancel buttons of a dialog that stores its fields on OK: Cancel closes; OK
    // runs `store` and closes, unless the field left just before refused its entry (the dialog
    // then stays on that field). False for any other button.
    template <typename Store>
    bool pressOkOrCancel(std::string_view buttonName, Store store) {
        if (buttonName == field_id::kCancel) {
            cancel();
        } else if (buttonName == field_id::kOk) {
            if (!takeRefusedEntry()) {
                store();
                close(Result::Ok);
            }
        } else {
            return false;
        }
        return true;
    }
    Field& add(Field field);
    Field& addEdit(std::string name, std::string label, std::size_t maxBytes = 0);
    Field& addButton(std::string name, std::string caption);
    void close(Result result) { result_ = result; }

  private:
    Ui& ui_;
    std::string caption_;
    std::deque<Field> fields_;
    std::string focus_;
    Result result_ = Result::Open;
    bool entryRefused_ = false;
    int revision_ = 0;
};

// Fits typed text into a field: lower case when the field asks for it, then cut to its byte
// limit on a character boundary.
std::string fitToField(const Field& field, const std::string& text);

}  // namespace tallivan
