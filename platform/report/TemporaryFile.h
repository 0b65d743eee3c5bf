#pragma once

#include <string>
#include <string_view>
#include <system_error>

#include "platform/filesystem/FileSystem.h"

namespace rt {

// A new file beside a target, under a hidden name of its own that no one
// else uses: ".<name>.<tag>.tmp", the tag random. It is removed when it goes
// out of scope unless it was kept in the target's place. Every step goes
// through the file system that created it.
class TemporaryFile {
  public:
    // Never reuses an existing name nor follows a link; fails rather than make
    // a path longer than the system takes.
    static Result<TemporaryFile, std::error_code> createBeside(std::string_view target);

    // Removes the temporaries of `target` that killed writers left behind:
    // only names of the shape createBeside makes, and only files older than a
    // margin, since a writer that could not take the folder's lock may still
    // be filling a fresh one.
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
