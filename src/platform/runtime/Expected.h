#pragma once
// The result of an operation that can fail: its value, or the text that
// says why it failed, so that a caller reads success the right way round:
//
//   rt::Expected<int> opened = line.Open(path);
//   if (!opened) return Report(opened.Error());
//   Use(*opened);
//
// rt::Expected<> (of void) carries no value: success, or the error text.
// A failure is made with rt::Fail("text"); an empty text is still a
// failure. Reading the value of a failure, or the error of a success, is a
// fault of the caller and throws std::logic_error naming what was read.
//
// Header-only, so that layers which do not link the runtime can use it.

#include <stdexcept>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace rt {

// Why an operation failed, on its way into an Expected.
struct Failure {
    std::string text;
};

inline Failure Fail(std::string text) {
    return Failure{std::move(text)};
}

template <typename T = void>
class [[nodiscard]] Expected {
  public:
    Expected(T value) : state_(std::in_place_index<0>, std::move(value)) {}
    Expected(Failure failure) : state_(std::in_place_index<1>, std::move(failure.text)) {}

    bool HasValue() const { return state_.index() == 0; }
    explicit operator bool() const { return HasValue(); }

    const T& Value() const& {
        if (!HasValue()) throw std::logic_error("no value, the operation failed: " + Error());
        return std::get<0>(state_);
    }
    T& Value() & { return const_cast<T&>(std::as_const(*this).Value()); }
    T&& Value() && { return std::move(Value()); }
    const T& operator*() const& { return Value(); }
    T& operator*() & { return Value(); }
    const T* operator->() const { return &Value(); }
    T* operator->() { return &Value(); }

    // The value, or `fallback` after a failure.
    T ValueOr(T fallback) const& { return HasValue() ? std::get<0>(state_) : std::move(fallback); }

    const std::string& Error() const {
        if (HasValue()) throw std::logic_error("no error, the operation succeeded");
        return std::get<1>(state_);
    }

  private:
    std::variant<T, std::string> state_;
};

template <>
class [[nodiscard]] Expected<void> {
  public:
    Expected() = default;
    Expected(Failure failure) : failed_(true), error_(std::move(failure.text)) {}

    bool HasValue() const { return !failed_; }
    explicit operator bool() const { return HasValue(); }

    const std::string& Error() const {
        if (!failed_) throw std::logic_error("no error, the operation succeeded");
        return error_;
    }

  private:
    bool failed_ = false;
    std::string error_;
};

}  // namespace rt
