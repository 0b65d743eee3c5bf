#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace rt {

// NUL-terminated text in a buffer of N bytes: at most N - 1 characters.
// assign/append cut a longer text; tryAssign/tryAppend refuse it and leave the
// buffer unchanged, for callers that must never act on a cut text (paths).
template <std::size_t N>
class CStringBuffer {
    static_assert(N > 0);

  public:
    static constexpr std::size_t kSize = N;
    static constexpr std::size_t kMaxLength = N - 1;

    CStringBuffer() = default;
    explicit CStringBuffer(std::string_view text) { assign(text); }

    void clear() {
        m_length = 0;
        m_bytes[0] = '\0';
    }

    void assign(std::string_view text) {
        clear();
        append(text);
    }

    void append(std::string_view text) {
        const auto kept = std::min(text.size(), kMaxLength - m_length);
        std::copy_n(text.begin(), kept, m_bytes.begin() + static_cast<std::ptrdiff_t>(m_length));
        m_length += kept;
        m_bytes[m_length] = '\0';
    }

    [[nodiscard]] bool tryAssign(std::string_view text) {
        if (text.size() > kMaxLength) {
            return false;
        }
        assign(text);
        return true;
    }

    [[nodiscard]] bool tryAppend(std::string_view text) {
        if (text.size() > kMaxLength - m_length) {
            return false;
        }
        append(text);
        return true;
    }

    const char* c_str() const { return m_bytes.data(); }
    std::string_view view() const { return {m_bytes.data(), m_length}; }
    std::size_t size() const { return m_length; }
    bool empty() const { return m_length == 0; }
    bool isBlank() const { return view().find_first_not_of(' ') == std::string_view::npos; }

    // For services that fill the buffer themselves; call syncLength() afterwards.
    char* data() { return m_bytes.data(); }
    void syncLength() {
        m_bytes[kMaxLength] = '\0';
        m_length = std::char_traits<char>::length(m_bytes.data());
    }

  private:
    std::array<char, N> m_bytes{};
    std::size_t m_length = 0;
};

}  // namespace rt
