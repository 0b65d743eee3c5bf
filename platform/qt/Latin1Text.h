#pragma once

#include <QString>
#include <string_view>

namespace rt::qt {

// The program's texts, those of the stored definitions and the results
// alike, are Latin-1 bytes, one character each.
inline QString latin1Text(std::string_view value) {
    return QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size()));
}

}  // namespace rt::qt
