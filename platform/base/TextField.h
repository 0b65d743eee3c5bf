#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace rt {

// Removes trailing spaces only: tabs and other bytes are part of the text.
constexpr std::string_view trimTrailingBlanks(std::string_view text) {
    const auto end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

constexpr bool isBlank(std::string_view text) {
    return trimTrailingBlanks(text).empty();
}

// Fixed-capacity text, left-aligned and padded with blanks, the way window
// fields hold their values. Bytes are stored as they come: no encoding is assumed.
template <std::size_t N>
class TextField {
  public:
    static constexpr std::size_t kCapacity = N;

    TextField() { m_chars.fill(' '); }
    explicit TextField(std::string_view text) { assign(text); }

    // A longer text is cut to the capacity.
    TextField& operator=(std::string_view text) {
        assign(text);
        return *this;
    }

    void assign(std::string_view text) {
        const auto kept = std::min(text.size(), N);
        std::copy_n(text.begin(), kept, m_chars.begin());
        std::fill(m_chars.begin() + static_cast<std::ptrdiff_t>(kept), m_chars.end(), ' ');
    }

    // All N characters, padding included.
    std::string_view padded() const { return {m_chars.data(), N}; }
    std::string_view trimmed() const { return trimTrailingBlanks(padded()); }
    std::string str() const { return std::string(trimmed()); }
    bool isBlank() const { return trimmed().empty(); }

    // The window layer binds to the raw characters.
    std::span<char> chars() { return m_chars; }

    friend bool operator==(const TextField& field, std::string_view text) {
        return field.trimmed() == trimTrailingBlanks(text);
    }
    template <std::size_t M>
    friend bool operator==(const TextField& a, const TextField<M>& b) {
        return a.trimmed() == b.trimmed();
    }

  private:
    std::array<char, N> m_chars;
};

}  // namespace rt
