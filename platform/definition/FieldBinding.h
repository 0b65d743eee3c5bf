#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>

#include "platform/base/Result.h"
#include "platform/definition/WindowDescription.h"

namespace rt::definition {

// Why a procedure's fields cannot be bound to a window's value displays.
enum class BindingFault : std::uint8_t {
    FewerFields,    // a value display is left without a field
    MoreFields,     // a field is left without a value display
    FieldMismatch,  // a field is not the fixed text of the display's length
};

struct BindingError {
    BindingFault fault = BindingFault::FewerFields;
    std::size_t field = 0;     // counting from 1; with FieldMismatch
    std::int32_t display = 0;  // the value display's id; with FieldMismatch

    // One line, without a trailing newline.
    std::string message() const;
};

// A procedure's field as its value display shows it, by the display's id.
using BoundFields = std::map<std::int32_t, std::span<char>>;

// Binds the fields to the window's value displays in chain order. Each field
// must be a fixed text of exactly the length the display's variable gives:
// the window layer reads it for every redraw, so a shorter one would be read
// past its end.
[[nodiscard]] rt::Result<BoundFields, BindingError> bindFields(const WindowDescription& window,
                                                               std::span<const std::span<char>> fields);

// What a value display shows of its field: the text without its padding.
std::string shownText(std::span<const char> field);

}  // namespace rt::definition
