// OptionTable: a program's command-line options, open to additions; corvane-sim
// and its validate verb both parse theirs with it.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace corvane::sim {

class OptionTable {
public:
  // How parse words its errors: corvane-sim says "option --trace needs FILE"
  // and "option --trace: <problem>"; a verb's options lead with the option's
  // name: "--seed needs a value", "--seed <problem>".
  enum class Wording { Program, Verb };
  explicit OptionTable(Wording wording = Wording::Program) : wording_(wording) {}

  // Applies an option's value (empty for a flag); returns why it is wrong.
  using Apply = std::function<std::optional<std::string>(const std::string &value)>;
  struct Option {
    std::string longName;  // "--trace"
    std::string shortName; // "-v", or empty
    std::string valueName; // "FILE" for an option that takes a value, empty for a flag
    std::string help;
    Apply apply;
  };

  void add(Option option);
  const std::vector<Option> &options() const { return options_; }

  // Applies the options in `arguments` (program name excluded) and returns
  // the rest in order, or the usage error. `--` ends the options; `-` alone
  // is an argument.
  std::variant<std::vector<std::string>, std::string>
  parse(const std::vector<std::string> &arguments) const;

  // One line per option, aligned, for --help.
  std::string describe() const;

private:
  const Option *find(const std::string &name) const;
  Wording wording_;
  std::vector<Option> options_;
};

} // namespace corvane::sim
