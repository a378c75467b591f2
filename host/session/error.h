// An error a person is told about: what kind of failure it is, which decides
// what a program does next (its exit status, whether a run goes on), and
// the message exactly as the person reads it.
#pragma once

#include <string>

namespace corvane {

enum class ErrorKind {
  BadInput,          // a line, option or value that is wrong as written
  ExpectationFailed, // a check in a script found something else
  NoPlugin,          // the file is no plugin at all: it does not open, or has no descriptor
  CheckFailed,       // a plugin failed one of validate's checks
  Unreadable,        // a file that cannot be read as what it should be
  Notice,            // no failure, but a person would otherwise hear nothing: the run goes on
};

struct Error {
  ErrorKind kind = ErrorKind::BadInput;
  std::string message;
};

} // namespace corvane
