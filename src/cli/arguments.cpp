#include "arguments.h"

#include "base/numbers.h"
#include "scripted_ui.h"

namespace tallivan::cli {

Arguments::Arguments(const std::vector<std::string>& words,
                     const std::set<std::string>& valueOptions,
                     const std::set<std::string>& flagOptions) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w.size() > 2 && w.compare(0, 2, "--") == 0) {
            const std::string name = w.substr(2);
            if (valueOptions.count(name)) {
                if (i + 1 >= words.size())
                    throw UsageError("option " + w + " needs a value");
                values_[name] = words[++i];
            } else if (flagOptions.count(name)) {
                flags_.insert(name);
            } else {
                throw UsageError("unknown option " + w);
            }
        } else {
            positional_.push_back(w);
        }
    }
}

void Arguments::expectPositional(std::size_t count, const std::string& usage) const {
    if (positional_.size() != count)
        throw UsageError("usage: " + usage);
}

std::optional<std::string> Arguments::value(const std::string& option) const {
    const auto it = values_.find(option);
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

std::string Arguments::required(const std::string& option) const {
    const auto v = value(option);
    if (!v)
        throw UsageError("missing option --" + option);
    return *v;
}

std::int32_t Arguments::requiredInt(const std::string& option) const {
    const std::string text = required(option);
    const auto v = parseInt(text);
    if (!v)
        throw UsageError("--" + option + ": '" + text + "' is not a whole number");
    return *v;
}

double Arguments::requiredMoney(const std::string& option) const {
    const std::string text = required(option);
    const auto v = parseMoney(text);
    if (!v)
        throw UsageError("--" + option + ": '" + text + "' is not a number");
    return *v;
}

}  // namespace tallivan::cli
