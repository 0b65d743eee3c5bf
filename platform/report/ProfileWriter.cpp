#include "ProfileWriter.h"

#include "ProfileBatch.h"

namespace rt {

Result<void, std::error_code> putProfileEntry(std::string_view section, std::string_view entry,
                                              std::string_view value, const char* path) {
    if (path == nullptr || *path == '\0') {
        return std::make_error_code(std::errc::invalid_argument);
    }
    auto* batch = ProfileBatch::openFor(path);
    if (batch == nullptr) {
        return std::make_error_code(std::errc::bad_file_descriptor);
    }
    return batch->put(section, entry, value);
}

}  // namespace rt
