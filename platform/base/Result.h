#pragma once

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <type_traits>
#include <utility>
#include <variant>

namespace rt {

namespace detail {

// Reading the side a result does not hold is a programming error, never an
// input error: it ends the program the same way wherever it happens.
[[noreturn]] inline void wrongSideOfResult(const char* side) {
    std::fputs("keldwick: internal error: a result's ", stderr);
    std::fputs(side, stderr);
    std::fputs(" was read but it holds none\n", stderr);
    std::abort();
}

}  // namespace detail

// A value or the error that stands in its place. Each module names its own
// error type; callers ask ok() before reading a side. Project code does not
// throw, so every fallible step returns one of these.
template <typename T, typename E>
class [[nodiscard]] Result {
    static_assert(!std::is_same_v<std::remove_cvref_t<T>, std::remove_cvref_t<E>>,
                  "a value and an error of one type cannot be told apart");

  public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(E error) : m_state(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return *checked(std::get_if<0>(&m_state), "value"); }
    const T& value() const& { return *checked(std::get_if<0>(&m_state), "value"); }
    T&& value() && { return std::move(*checked(std::get_if<0>(&m_state), "value")); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const E& error() const& { return *checked(std::get_if<1>(&m_state), "error"); }
    E&& error() && { return std::move(*checked(std::get_if<1>(&m_state), "error")); }

  private:
    template <typename P>
    static P* checked(P* side, const char* name) {
        if (side == nullptr) {
            detail::wrongSideOfResult(name);
        }
        return side;
    }

    std::variant<T, E> m_state;
};

// Success with nothing to carry, or an error.
template <typename E>
class [[nodiscard]] Result<void, E> {
  public:
    Result() = default;
    Result(E error) : m_error(std::in_place, std::move(error)) {}

    bool ok() const { return !m_error.has_value(); }
    explicit operator bool() const { return ok(); }

    const E& error() const& {
        if (!m_error) {
            detail::wrongSideOfResult("error");
        }
        return *m_error;
    }

  private:
    std::optional<E> m_error;
};

}  // namespace rt
