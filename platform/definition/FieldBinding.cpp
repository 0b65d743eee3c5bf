#include "platform/definition/FieldBinding.h"

#include "platform/base/TextField.h"

namespace rt::definition {

std::string BindingError::message() const {
    switch (fault) {
        case BindingFault::FewerFields:
            return "fewer bound variables than value displays";
        case BindingFault::MoreFields:
            return "more bound variables than value displays";
        case BindingFault::FieldMismatch:
            break;
    }
    return "bound variable " + std::to_string(field) + " does not match value display " +
           std::to_string(display);
}

rt::Result<BoundFields, BindingError> bindFields(const WindowDescription& window,
                                                 std::span<const std::span<char>> fields) {
    BoundFields bound;
    std::size_t next = 0;
    for (const auto& control : window.controls) {
        if (control.kind != ControlKind::ValueDisplay) {
            continue;
        }
        if (next == fields.size()) {
            return BindingError{BindingFault::FewerFields};
        }
        const auto& variable = control.variable;
        if (variable.typeCode != kFixedTextType || variable.length < 0 ||
            static_cast<std::size_t>(variable.length) != fields[next].size()) {
            return BindingError{BindingFault::FieldMismatch, next + 1, control.id};
        }
        bound[control.id] = fields[next++];
    }
    if (next != fields.size()) {
        return BindingError{BindingFault::MoreFields};
    }
    return bound;
}

std::string shownText(std::span<const char> field) {
    return std::string(rt::trimTrailingBlanks({field.data(), field.size()}));
}

}  // namespace rt::definition
