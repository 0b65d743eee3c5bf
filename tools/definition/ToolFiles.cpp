#include "tools/definition/ToolFiles.h"

#include <fstream>
#include <iterator>

namespace keldwick::defc {

Result<std::string, ToolMessage> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return ToolMessage{path + ": cannot be opened"};
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return ToolMessage{path + ": cannot be read"};
    }
    return text;
}

Result<void, ToolMessage> writeWholeFile(const std::string& path, std::span<const std::byte> bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        return ToolMessage{path + ": cannot be written"};
    }
    return {};
}

Result<void, ToolMessage> writeWholeFile(const std::string& path, const std::string& text) {
    return writeWholeFile(path, std::as_bytes(std::span(text)));
}

}  // namespace keldwick::defc
