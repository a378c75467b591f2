// OptionTable: a program's command-line options, open to additions; corvane-sim
// and its validate verb both parse theirs with it.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/base/error.h"

namespace corvane::sim {

class OptionTable {
public:
  // How parse words its errors: corvane-sim says "option --trace needs FILE"
  // and "option --trace: <problem>"; a verb's options lead with the option's
  // name: "--seed needs a value", "--seed <problem>".
  enum class Wording { Program, Verb };
  explicit OptionTable(Wording wording = Wording::Program) : wording_(wording) {}

  // Applies an option's value (empty for a flag); fails when it is wrong.
  using Apply = std::function<Failure(const std::string &value)>;
  struct Option {
    std::string longName;  // "--trace"
    std::string shortName; // "-v", or empty
    std::string valueName; // "FILE" for an option that takes a value, empty for a flag
    std::string help;
    Apply apply;
  };

  void add(Option option) { options_.push_back(std::move(option)); }

  // Applies the options in `arguments` (program name excluded) and returns
  // the rest in order, or the usage error (bad input). `--` ends the
  // options; `-` alone is an argument.
  Expected<std::vector<std::string>> parse(const std::vector<std::string> &arguments) const;

  // One line per option, aligned, for --help.
  std::string describe() const;

private:
  Wording wording_;
  std::vector<Option> options_;
};

// What an option with a file or folder name does: it keeps the name, which
// may not be empty (`missing` says so).
OptionTable::Apply nameInto(std::string &name, const std::string &missing);

} // namespace corvane::sim
