// Command-line option parsing.
#include "option_table.h"

#include <algorithm>
#include <optional>

namespace corvane::sim {

constexpr std::size_t kHelpColumnGap = 2;

Expected<std::vector<std::string>>
OptionTable::parse(const std::vector<std::string> &arguments) const {
  const auto refuse = [](std::string message) {
    return Error{ErrorKind::BadInput, std::move(message)};
  };
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string &argument = arguments[i];
    if (argument == "--") {
      rest.insert(rest.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                  arguments.end());
      break;
    }
    if (argument.size() < 2 || argument[0] != '-') {
      rest.push_back(argument);
      continue;
    }
    // --name=value is accepted as well as --name value.
    std::string name = argument;
    std::optional<std::string> value;
    if (const std::size_t equals = argument.find('=');
        argument.starts_with("--") && equals != std::string::npos) {
      name = argument.substr(0, equals);
      value = argument.substr(equals + 1);
    }
    const auto option = std::ranges::find_if(options_, [&name](const Option &candidate) {
      return candidate.longName == name || candidate.shortName == name;
    });
    if (option == options_.end()) {
      return refuse("unknown option " + name);
    }
    if (option->valueName.empty() && value) {
      return refuse("option " + name + " takes no value");
    }
    if (!option->valueName.empty() && !value) {
      if (i + 1 == arguments.size()) {
        return refuse(wording_ == Wording::Verb ? name + " needs a value"
                                                : "option " + name + " needs " + option->valueName);
      }
      value = arguments[++i];
    }
    if (auto problem = withContext(wording_ == Wording::Verb ? name + " " : "option " + name + ": ",
                                   option->apply(value.value_or("")))) {
      return std::move(*problem);
    }
  }
  return rest;
}

std::string OptionTable::describe() const {
  std::vector<std::string> heads;
  std::size_t width = 0;
  for (const Option &option : options_) {
    heads.push_back((option.shortName.empty() ? "    " : option.shortName + ", ") +
                    option.longName + (option.valueName.empty() ? "" : " " + option.valueName));
    width = std::max(width, heads.back().size());
  }
  std::string text;
  for (std::size_t i = 0; i < options_.size(); ++i) {
    text += "  " + heads[i] + std::string(width - heads[i].size() + kHelpColumnGap, ' ') +
            options_[i].help + "\n";
  }
  return text;
}

OptionTable::Apply nameInto(std::string &name, const std::string &missing) {
  return [&name, missing](const std::string &value) {
    name = value;
    return value.empty() ? Failure{Error{ErrorKind::BadInput, missing}} : Failure{};
  };
}

} // namespace corvane::sim
