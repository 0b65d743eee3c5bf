#pragma once

#include <cstdlib>
#include <utility>
#include <variant>

#include "platform/definition/DefinitionError.h"
#include "platform/definition/WindowDescription.h"

namespace definition {

// A value or the reason there is none. Ask ok() before value(): reaching for
// the side that is not there is a programming error and ends the program.
template <typename T>
class [[nodiscard]] DefinitionResult {
  public:
    DefinitionResult(T value) : m_state(std::move(value)) {}
    DefinitionResult(DefinitionError error) : m_state(std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return *checked(std::get_if<0>(&m_state)); }
    T& value() & { return *checked(std::get_if<0>(&m_state)); }
    T&& value() && { return std::move(*checked(std::get_if<0>(&m_state))); }
    const DefinitionError& error() const { return *checked(std::get_if<1>(&m_state)); }

  private:
    template <typename P>
    static P* checked(P* side) {
        if (side == nullptr) {
            std::abort();
        }
        return side;
    }

    std::variant<T, DefinitionError> m_state;
};

using WalkResult = DefinitionResult<WindowDescription>;

}  // namespace definition
