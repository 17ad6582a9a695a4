#include "scripted_ui.h"

#include "base/gbk.h"
#include "forms/seal_form.h"

namespace tallivan::cli {

DialogScript& DialogScript::select(std::string field, int index) {
    entries_.push_back({{DialogStep::Kind::Select, std::move(field), {}, index, false}, {}, {}});
    return *this;
}

DialogScript& DialogScript::typeAll(std::map<std::string, std::string> values) {
    entries_.push_back({{DialogStep::Kind::Type, {}, {}, 0, false}, std::move(values), {}});
    return *this;
}

DialogScript& DialogScript::toggle(std::string field, bool checked) {
    entries_.push_back({{DialogStep::Kind::Toggle, std::move(field), {}, 0, checked}, {}, {}});
    return *this;
}

DialogScript& DialogScript::press(std::string button) {
    entries_.push_back({{DialogStep::Kind::Press, std::move(button), {}, 0, false}, {}, {}});
    return *this;
}

DialogScript& DialogScript::inspect(std::function<void(const Form&)> look) {
    entries_.push_back({{DialogStep::Kind::Inspect, {}, {}, 0, false}, {}, std::move(look)});
    return *this;
}

void DialogScript::runOn(Form& form) const {
    for (const Entry& e : entries_) {
        if (!form.isOpen())
            return;
        // A name the form does not have is a fault of the script, never a step to skip.
        if (!e.step.field.empty())
            form.field(e.step.field);
        switch (e.step.kind) {
            case DialogStep::Kind::Select:
                form.select(e.step.field, e.step.index);
                break;
            case DialogStep::Kind::Toggle:
                form.toggle(e.step.field, e.step.checked);
                break;
            case DialogStep::Kind::Press:
                form.press(e.step.field);
                break;
            case DialogStep::Kind::Inspect:
                e.look(form);
                break;
            case DialogStep::Kind::Type:
                for (const auto& [name, value] : e.values) {
                    const Field& f = form.field(name);
                    if (f.readOnly || f.locked || !f.enabled) {
                        throw UsageError("the field " + gbkToUtf8(f.label) + " is read-only here");
                    }
                }
                for (const Field& f : form.fields()) {
                    const auto it = e.values.find(f.name);
                    if (it == e.values.end())
                        continue;
                    const std::string name = f.name;  // the form may change while typing
                    const std::string text = utf8ToGbk(it->second);
                    // A script cannot look at the dialog and correct a value: one the field
                    // would cut, or one it refuses, cancels the dialog.
                    if (f.maxBytes > 0 && text.size() > f.maxBytes) {
                        showError(form.ui(), invalidValueMessage(text));
                        form.cancel();
                        return;
                    }
                    form.type(name, text);
                    form.leave(name);
                    form.clearFocusRequest();
                    if (form.isOpen() && form.entryRefused())
                        form.cancel();
                    if (!form.isOpen())
                        return;
                }
                break;
        }
    }
}

std::optional<std::string> ScriptedUi::chooseFileToOpen(const std::string&, const std::string&) {
    if (files_.empty())
        return std::nullopt;
    std::string path = std::move(files_.front());
    files_.pop_front();
    return path;
}

Answer ScriptedUi::message(const std::string& text, const std::string& caption, MessageIcon,
                           MessageButtons buttons) {
    err_ << gbkToUtf8(caption) << ": " << gbkToUtf8(text) << "\n";
    if (caption == gbk("错误"))
        sawError_ = true;
    switch (buttons) {
        case MessageButtons::YesNo:
            return Answer::Yes;
        case MessageButtons::OkCancel:
        case MessageButtons::Ok:
            return Answer::Ok;
    }
    return Answer::Ok;
}

bool ScriptedUi::runDialog(Form& form) {
    // Every password prompt, and a sealed account's passphrase prompt, gets the --password text;
    // without one it is cancelled.
    if ((form.caption() == gbk("请输入帐户密码") || form.caption() == passphrasePromptCaption()) &&
        form.hasField(field_id::kText)) {
        if (password_) {
            DialogScript()
                .typeAll({{field_id::kText, *password_}})
                .press(field_id::kOk)
                .runOn(form);
        }
    } else if (!scripts_.empty()) {
        const DialogScript script = std::move(scripts_.front());
        scripts_.pop_front();
        script.runOn(form);
    }
    if (form.isOpen())
        form.cancel();
    return form.result() == Form::Result::Ok;
}

}  // namespace tallivan::cli
