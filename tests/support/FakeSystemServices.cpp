#include "FakeSystemServices.h"

#include <cstring>
#include <string_view>

#include "platform/version/VersionServices.h"

namespace rt::test {

namespace {

constexpr std::string_view kMagic = "FAKE";
constexpr std::string_view kPrefix = "\\StringFileInfo\\";
constexpr std::string_view kSuffix = "\\FileVersion";

std::string makeBlock(const std::string& table, const std::string& value) {
    std::string block(kMagic);
    block += table;
    block += '\0';
    block += value;
    block += '\0';
    return block;
}

}  // namespace

void FakeSystemServices::setVersion(const std::string& path, const std::string& value,
                                    const std::string& table) {
    std::lock_guard lock(m_mutex);
    m_blocks[path] = makeBlock(table, value);
}

void FakeSystemServices::setVersionSource(std::function<std::string()> next) {
    std::lock_guard lock(m_mutex);
    m_source = std::move(next);
}

// A run-tagged block is made when its size is asked for and handed out by the
// read that follows on the same thread, as one file would answer both.
static thread_local std::string t_taggedBlock;

std::string FakeSystemServices::blockFor(const std::string& path, bool sizeQuery) {
    std::lock_guard lock(m_mutex);
    if (m_source) {
        if (sizeQuery) {
            t_taggedBlock = makeBlock("040904E4", m_source());
        }
        return t_taggedBlock;
    }
    const auto found = m_blocks.find(path);
    return found == m_blocks.end() ? std::string() : found->second;
}

rt::os::BOOL FakeSystemServices::getVersion(rt::os::OSVERSIONINFOA& info) {
    if (versionRequestFails) {
        return 0;
    }
    info.dwMajorVersion = 4;
    info.dwMinorVersion = 10;
    info.dwBuildNumber = 2222;
    info.dwPlatformId = platformId;
    return 1;
}

rt::os::DWORD FakeSystemServices::fileVersionInfoSize(const char* fileName, rt::os::DWORD* handle) {
    if (readsRealFiles) {
        return rt::version::fileVersionInfoSize(fileName, handle);
    }
    if (handle != nullptr) {
        *handle = 0;
    }
    return static_cast<rt::os::DWORD>(blockFor(fileName, true).size());
}

rt::os::BOOL FakeSystemServices::fileVersionInfo(const char* fileName, rt::os::DWORD handle,
                                                 rt::os::DWORD length, void* data) {
    ++m_reads;
    if (readsRealFiles) {
        return rt::version::fileVersionInfo(fileName, handle, length, data);
    }
    const auto block = blockFor(fileName, false);
    if (block.empty() || length < block.size()) {
        return 0;
    }
    std::memcpy(data, block.data(), block.size());
    return 1;
}

rt::os::BOOL FakeSystemServices::queryVersionValue(const void* block, const char* subBlock, void** buffer,
                                                   rt::os::UINT* length) {
    if (readsRealFiles) {
        return rt::version::queryVersionValue(block, subBlock, buffer, length);
    }
    *length = 0;
    const auto* bytes = static_cast<const char*>(block);
    if (std::string_view(bytes, kMagic.size()) != kMagic || subBlock == nullptr) {
        return 0;
    }
    const std::string_view table(bytes + kMagic.size());
    const std::string_view query(subBlock);
    if (query != std::string(kPrefix) + std::string(table) + std::string(kSuffix)) {
        return 0;
    }
    const char* value = bytes + kMagic.size() + table.size() + 1;
    *buffer = const_cast<char*>(value);
    *length = static_cast<rt::os::UINT>(std::strlen(value) + 1);
    return 1;
}

std::error_code FakeSystemServices::versionReadFailure() {
    return readsRealFiles ? rt::version::lastReadFailure() : std::error_code{};
}

}  // namespace rt::test
