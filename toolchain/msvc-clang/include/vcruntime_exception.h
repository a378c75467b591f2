// std::exception and the allocation failures, laid out as Microsoft's
// runtime does: the message and whether it is owned, copied and freed by
// vcruntime140.dll, so that an exception thrown in one module and caught in
// another is read and destroyed the same way in both.
#pragma once
#include <eh.h>

#pragma pack(push, _CRT_PACKING)

extern "C" {
struct __std_exception_data {
  const char *_What;
  bool _DoFree;
};
_VCRTIMP void __cdecl __std_exception_copy(const __std_exception_data *from,
                                           __std_exception_data *to);
_VCRTIMP void __cdecl __std_exception_destroy(__std_exception_data *data);
}

namespace std {

class exception {
public:
  exception() noexcept : _Data() {}
  // A message owned by the exception: copied now, freed with it.
  explicit exception(const char *const message) noexcept : _Data() {
    const __std_exception_data owned = {message, true};
    __std_exception_copy(&owned, &_Data);
  }
  // A message that outlives the exception (a string literal): not copied.
  exception(const char *const message, int) noexcept : _Data() { _Data._What = message; }
  exception(const exception &other) noexcept : _Data() {
    __std_exception_copy(&other._Data, &_Data);
  }
  exception &operator=(const exception &other) noexcept {
    if (this != &other) {
      __std_exception_destroy(&_Data);
      __std_exception_copy(&other._Data, &_Data);
    }
    return *this;
  }
  virtual ~exception() noexcept { __std_exception_destroy(&_Data); }
  [[nodiscard]] virtual const char *what() const {
    return _Data._What != nullptr ? _Data._What : "Unknown exception";
  }

private:
  __std_exception_data _Data;
};

class bad_exception : public exception {
public:
  bad_exception() noexcept : exception("bad exception", 1) {}
};

class bad_array_new_length;

class bad_alloc : public exception {
public:
  bad_alloc() noexcept : exception("bad allocation", 1) {}

private:
  friend class bad_array_new_length;
  explicit bad_alloc(const char *const message) noexcept : exception(message, 1) {}
};

class bad_array_new_length : public bad_alloc {
public:
  bad_array_new_length() noexcept : bad_alloc("bad array new length") {}
};

} // namespace std

#pragma pack(pop)
