#include "tools/definition/ToolFiles.h"

#include <fstream>
#include <iterator>

namespace defc {

ToolResult<std::string> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return ToolResult<std::string>::failure(path + ": cannot be opened");
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return ToolResult<std::string>::failure(path + ": cannot be read");
    }
    return text;
}

ToolResult<bool> writeWholeFile(const std::string& path, std::span<const std::byte> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        return ToolResult<bool>::failure(path + ": cannot be written");
    }
    return true;
}

ToolResult<bool> writeWholeFile(const std::string& path, const std::string& text) {
    return writeWholeFile(path, std::as_bytes(std::span(text)));
}

}  // namespace defc
