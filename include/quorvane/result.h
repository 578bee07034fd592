// quorvane::Result<T>: the one way the library reports a failure: a value, or an Error that says
// why there is none. Nothing the library calls throws out of it.
//
//   quorvane::Result<quorvane::Lexicon> loaded = quorvane::Lexicon::LoadFile(path);
//   if (!loaded) std::cerr << loaded.error().message << '\n';
//
// Reading the value of a Result that holds an error (or the error of one that holds a value) is
// a programming error; it is checked by an assertion in debug builds.
#pragma once

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace quorvane {

// Why an operation gave no value: a message for the user, in UTF-8.
struct Error {
  std::string message;
};

template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}      // NOLINT: implicit
  Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}  // NOLINT: implicit

  bool has_value() const { return state_.index() == 0; }
  explicit operator bool() const { return has_value(); }

  T& value() & { return Checked(); }
  const T& value() const& { return Checked(); }
  T&& value() && { return std::move(Checked()); }
  T& operator*() & { return Checked(); }
  const T& operator*() const& { return Checked(); }
  T&& operator*() && { return std::move(Checked()); }
  T* operator->() { return &Checked(); }
  const T* operator->() const { return &Checked(); }

  const Error& error() const {
    assert(!has_value());
    return std::get<1>(state_);
  }

 private:
  T& Checked() {
    assert(has_value());
    return std::get<0>(state_);
  }
  const T& Checked() const {
    assert(has_value());
    return std::get<0>(state_);
  }

  std::variant<T, Error> state_;
};

// A Result without a value: success, or the Error. A caller may ignore it where the failure is
// also told otherwise (the loader's record keeps its message).
template <>
class Result<void> {
 public:
  Result() = default;
  Result(Error error) : error_(std::move(error)), failed_(true) {}  // NOLINT: implicit

  bool has_value() const { return !failed_; }
  explicit operator bool() const { return has_value(); }

  const Error& error() const {
    assert(failed_);
    return error_;
  }

 private:
  Error error_;
  bool failed_ = false;
};

}  // namespace quorvane
