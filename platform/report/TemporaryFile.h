#pragma once

#include <string>
#include <string_view>
#include <system_error>

#include "platform/filesystem/FileSystem.h"

namespace rt {

// A new file beside a target, under a name of its own that no one else uses:
// "~KW<tag>.TMP", the tag random, an 8.3 name no longer than the report's, so
// it fits wherever the report's path fits. It is removed when it goes
// out of scope unless it was kept in the target's place. Every step goes
// through the file system that created it.
class TemporaryFile {
  public:
    // Never reuses an existing name nor follows a link; fails rather than make
    // a path longer than the system takes.
    static Result<TemporaryFile, std::error_code> createBeside(std::string_view target);

    // Removes the temporaries beside `target` that killed writers left behind,
    // and only what is surely one: a name of the shape createBeside makes, a
    // regular file with no other name, older than a margin (a writer in the
    // folder may be filling a fresh one), no larger than a report, holding
    // nothing or a whole profile text. Anything else is left alone.
    static void removeStale(std::string_view target);

    TemporaryFile(TemporaryFile&& other) noexcept;
    TemporaryFile& operator=(TemporaryFile&&) = delete;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() { (void)discard(); }

    const File& file() const { return m_file; }
    File& file() { return m_file; }
    const std::string& path() const { return m_path; }

    // Closes the file and puts it in place of `target`, in one step. Where the
    // system has none (the 95 family), the target goes first and the file is
    // renamed after it: a reader may find no file for that instant, and a
    // crash between the two leaves this complete file, which removeStale
    // later takes away. Once kept, the file is no longer this object's to
    // remove; on failure it still is.
    Result<void, std::error_code> keep(const char* target);
    // Closes and removes the file, if it is still this object's.
    Result<void, std::error_code> discard();

  private:
    TemporaryFile(FileSystem& files, std::string path, File file)
        : m_files(&files), m_path(std::move(path)), m_file(std::move(file)) {}

    Result<void, std::error_code> replaceInTwoSteps(const char* target);

    FileSystem* m_files;
    std::string m_path;  // empty once kept or removed
    File m_file;
};

}  // namespace rt
