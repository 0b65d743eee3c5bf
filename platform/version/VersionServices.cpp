#include "VersionServices.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <limits>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "VersionFile.h"
#include "VersionQuery.h"
#include "platform/threads/Lock.h"

namespace rt::version {

namespace {

// The smallest block that still says its own length and value length.
constexpr std::size_t kMinimalBlock = 4;

// The block that the last size request on a thread read, for the block
// request that follows it on that thread: callers ask for the size and then
// for the block of the same file, and the file is opened and parsed once for
// both. Threads are told apart by a number each takes the first time; a
// number needs nothing done at thread exit, where a kept block would. A few
// blocks at most stay kept, so threads that end between the two requests
// cannot make the table grow.
struct KeptBlock {
    std::uint64_t thread = 0;
    std::string fileName;
    os::DWORD handle = 0;
    std::vector<std::byte> block;
};

constexpr std::size_t kMaxKeptBlocks = 8;

thread_local std::uint64_t t_thread = 0;
std::atomic<std::uint64_t> g_lastThread{0};

std::uint64_t thisThread() {
    if (t_thread == 0) {
        t_thread = ++g_lastThread;
    }
    return t_thread;
}

class KeptBlocks {
  public:
    void keep(KeptBlock kept) {
        const std::lock_guard hold(m_lock);
        forgetLocked(kept.thread);
        if (m_blocks.size() == kMaxKeptBlocks) {
            m_blocks.erase(m_blocks.begin());
        }
        m_blocks.push_back(std::move(kept));
    }

    // The block kept on this thread when the request names the file and
    // handle it was kept for. Any block request ends the keeping, so a later
    // one reads the file anew.
    std::optional<std::vector<std::byte>> take(std::uint64_t thread, const char* fileName, os::DWORD handle) {
        const std::lock_guard hold(m_lock);
        const auto found = std::find_if(m_blocks.begin(), m_blocks.end(),
                                        [&](const KeptBlock& kept) { return kept.thread == thread; });
        if (found == m_blocks.end()) {
            return std::nullopt;
        }
        auto kept = std::move(*found);
        m_blocks.erase(found);
        if (fileName == nullptr || kept.fileName != fileName || kept.handle != handle) {
            return std::nullopt;
        }
        return std::move(kept.block);
    }

    void forget(std::uint64_t thread) {
        const std::lock_guard hold(m_lock);
        forgetLocked(thread);
    }

  private:
    void forgetLocked(std::uint64_t thread) {
        std::erase_if(m_blocks, [&](const KeptBlock& kept) { return kept.thread == thread; });
    }

    rt::Lock m_lock;
    std::vector<KeptBlock> m_blocks;
};

KeptBlocks& keptBlocks() {
    static KeptBlocks kept;
    return kept;
}

std::optional<std::vector<std::byte>> readBlock(const char* fileName) {
    auto info = loadVersionInfo(fileName);
    if (!info) {
        return std::nullopt;
    }
    return std::move(info->block);
}

}  // namespace

os::DWORD fileVersionInfoSize(const char* fileName, os::DWORD* handle) {
    keptBlocks().forget(thisThread());
    if (handle != nullptr) {
        *handle = 0;
    }
    if (fileName == nullptr) {
        return 0;
    }
    auto info = loadVersionInfo(fileName);
    if (!info) {
        return 0;
    }
    os::DWORD given = 0;
    if (info->located.location.offset <= std::numeric_limits<os::DWORD>::max()) {
        given = static_cast<os::DWORD>(info->located.location.offset);
    }
    if (handle != nullptr) {
        *handle = given;
    }
    const auto size = static_cast<os::DWORD>(info->block.size());
    keptBlocks().keep(KeptBlock{thisThread(), fileName, given, std::move(info->block)});
    return size;
}

os::BOOL fileVersionInfo(const char* fileName, os::DWORD handle, os::DWORD length, void* data) {
    auto block = keptBlocks().take(thisThread(), fileName, handle);
    if (fileName == nullptr || data == nullptr || length < kMinimalBlock) {
        return 0;
    }
    if (!block) {
        block = readBlock(fileName);
    }
    if (!block) {
        return 0;
    }
    const auto copied = std::min<std::size_t>(length, block->size());
    auto* out = static_cast<unsigned char*>(data);
    std::memcpy(out, block->data(), copied);
    // A cut block must not claim the bytes it lost.
    if (copied < block->size()) {
        out[0] = static_cast<unsigned char>(copied & 0xFF);
        out[1] = static_cast<unsigned char>(copied >> 8);
    }
    return 1;
}

os::BOOL queryVersionValue(const void* block, const char* subBlock, void** buffer, os::UINT* length) {
    if (length != nullptr) {
        *length = 0;
    }
    if (block == nullptr || buffer == nullptr || length == nullptr) {
        return 0;
    }
    // The block says how long it is; the caller gave a buffer at least that long.
    const auto* bytes = static_cast<const std::byte*>(block);
    const auto rootLength =
        std::to_integer<std::size_t>(bytes[0]) | (std::to_integer<std::size_t>(bytes[1]) << 8);
    if (rootLength < kMinimalBlock) {
        return 0;
    }
    const auto answer = queryAnsiBlock(std::span(bytes, rootLength), subBlock == nullptr ? "" : subBlock);
    if (!answer) {
        return 0;
    }
    *buffer = const_cast<std::byte*>(bytes + answer->offset);
    *length = static_cast<os::UINT>(answer->length);
    return 1;
}

}  // namespace rt::version
