// An error a person is told about: what kind of failure it is, which decides
// what a program says with it, and the message exactly as the person reads
// it. How the step ended is its Outcome (outcome.h).
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace corvane {

enum class ErrorKind {
  BadInput,   // a line, option or value that is wrong as written
  NoPlugin,   // the file is no plugin at all: it does not open, or has no descriptor
  Unreadable, // a file that cannot be read as what it should be
};

struct Error {
  ErrorKind kind = ErrorKind::BadInput;
  std::string message;
};

// What a step that gives nothing back says: nothing when it succeeded, or
// what went wrong.
using Failure = std::optional<Error>;

// `failure` with `context` ("cannot write FILE: ") before its message.
inline Failure withContext(const std::string &context, Failure failure) {
  if (failure) {
    failure->message.insert(0, context);
  }
  return failure;
}

// What a step that gives a value back says: the value, or what went wrong
// instead.
template <class T> class Expected {
public:
  Expected(T value) : held_(std::in_place_index<0>, std::move(value)) {}
  Expected(Error error) : held_(std::in_place_index<1>, std::move(error)) {}

  explicit operator bool() const { return held_.index() == 0; }
  T &operator*() { return std::get<0>(held_); }
  const T &operator*() const { return std::get<0>(held_); }
  const T *operator->() const { return &std::get<0>(held_); }
  // What went wrong; only when there is no value.
  const Error &error() const { return std::get<1>(held_); }

private:
  std::variant<T, Error> held_;
};

} // namespace corvane
