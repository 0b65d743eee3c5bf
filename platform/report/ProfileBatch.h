#pragma once

#include <string>
#include <string_view>
#include <system_error>

#include "platform/base/Result.h"

namespace rt {

// Whether a batch that cannot publish through a new file may rewrite the old
// file where it stands. Only a writer that holds the folder's lock may: two
// writers rewriting one file in place could mix their texts.
enum class InPlace { Refused, Allowed };

struct ProfileBatchError {
    std::error_code cause;        // why the new text could not be published
    bool oldFileRemains = false;  // the file could not be removed either, and may hold the old text
};

// A profile file rewritten from nothing, in one step. While a batch is open on
// a thread, the puts that thread makes to the batch's path through
// putProfileEntry are collected in memory instead of being published one by
// one, and publish() puts the whole text in the file's place at once: no crash
// or fault between two puts can leave a file that holds some of them. Puts to
// other paths, and puts from other threads, are published as they come. A
// batch closed without publish() leaves the file as it was. A batch belongs
// to the thread that opens it.
class ProfileBatch {
  public:
    ProfileBatch() = default;
    ~ProfileBatch();
    // The thread refers to an open batch by its address.
    ProfileBatch(const ProfileBatch&) = delete;
    ProfileBatch& operator=(const ProfileBatch&) = delete;

    // Starts collecting for `path`, from an empty file, as after deleting it.
    void open(std::string path);
    bool isOpen() const { return m_open; }
    const std::string& path() const { return m_path; }
    const std::string& text() const { return m_text; }

    // The batch this thread has open for `path`, or null.
    static ProfileBatch* openFor(std::string_view path);
    void put(std::string_view section, std::string_view entry, std::string_view value);

    // Replaces the file with the collected text through a new file and a
    // rename (publishWholeFile). Where that fails and `inPlace` allows it, a
    // writable file already there is rewritten where it stands. Where neither
    // succeeds, the file is removed whichever whole text the failed publish
    // left in it, so that the old one cannot pass for the new. A batch without
    // puts removes the file. Closes the batch.
    rt::Result<void, ProfileBatchError> publish(InPlace inPlace);

  private:
    void close();

    std::string m_path;
    std::string m_text;
    bool m_open = false;
    ProfileBatch* m_outer = nullptr;  // the batch this thread had open before, if any
};

}  // namespace rt
