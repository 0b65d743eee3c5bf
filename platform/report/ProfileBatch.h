#pragma once

#include <string>
#include <string_view>
#include <system_error>

#include "ReportPublisher.h"
#include "platform/base/Result.h"

namespace rt {

// One check's report, built in memory from nothing, as after deleting the
// file, and put in the file's place whole, once. While a batch is open, the
// puts its thread makes to the batch's path through putProfileEntry go into
// its text; publish() hands the text to the publisher. A batch closed without
// publish() leaves the file as it was. A thread has at most one batch open:
// one check, one report.
class ProfileBatch {
  public:
    ProfileBatch() = default;
    ~ProfileBatch();
    // The thread refers to its open batch by its address.
    ProfileBatch(const ProfileBatch&) = delete;
    ProfileBatch& operator=(const ProfileBatch&) = delete;

    // Starts collecting for `path`, from an empty text. Opening a batch while
    // another is open on the thread is a fault of the program, which ends it.
    void open(std::string path);
    bool isOpen() const { return m_open; }
    const std::string& path() const { return m_path; }
    const std::string& text() const { return m_text; }

    // This thread's open batch when it is for `path`, else null.
    static ProfileBatch* openFor(std::string_view path);
    // Creates or replaces the entry in the text; `invalid_argument` for a name
    // that could be read as another kind of line.
    rt::Result<void, std::error_code> put(std::string_view section, std::string_view entry,
                                          std::string_view value);

    // Closes the batch and puts its text in the file's place (publishReport).
    rt::Result<Published, PublishError> publish(InPlace inPlace);

  private:
    void close();

    std::string m_path;
    std::string m_text;
    bool m_open = false;
};

}  // namespace rt
