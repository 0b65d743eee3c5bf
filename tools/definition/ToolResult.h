#pragma once

#include <cstdlib>
#include <string>
#include <utility>
#include <variant>

namespace defc {

// A value or a message for the person running the build, who fixes the
// description it names and runs the build again.
template <typename T>
class [[nodiscard]] ToolResult {
  public:
    ToolResult(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    static ToolResult failure(std::string message) { return ToolResult(std::move(message), 0); }

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return *checked(std::get_if<0>(&m_state)); }
    T&& value() && { return std::move(*checked(std::get_if<0>(&m_state))); }
    const std::string& message() const { return *checked(std::get_if<1>(&m_state)); }

  private:
    ToolResult(std::string message, int) : m_state(std::in_place_index<1>, std::move(message)) {}

    template <typename P>
    static P* checked(P* side) {
        if (side == nullptr) {
            std::abort();
        }
        return side;
    }

    std::variant<T, std::string> m_state;
};

}  // namespace defc
