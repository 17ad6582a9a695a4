// The words of a command line: positional words and "--name value" options. The word after an
// option that takes a value is always that value, even when it begins with "-".
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tallivan::cli {

class Arguments {
  public:
    // `valueOptions` take a value; `flagOptions` stand alone. Anything else is a UsageError.
    Arguments(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
              const std::set<std::string>& flagOptions = {});

    const std::vector<std::string>& positional() const { return positional_; }
    // The only positional word; a UsageError when there is not exactly `count`.
    void expectPositional(std::size_t count, const std::string& usage) const;

    bool has(const std::string& option) const { return values_.count(option) > 0; }
    bool flag(const std::string& option) const { return flags_.count(option) > 0; }
    std::optional<std::string> value(const std::string& option) const;
    std::string required(const std::string& option) const;

    // A value read as a number of the program's forms; a UsageError when it is not one.
    std::int32_t requiredInt(const std::string& option) const;
    double requiredMoney(const std::string& option) const;

  private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
};

}  // namespace tallivan::cli
