#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "platform/base/Result.h"

namespace keldwick::imports {

enum class Target { Windows95, Windows98 };

// What is known of one function on the 95 family, from the lists.
struct Known {
    bool stubOn95 = false;
    bool stubOn98 = false;
    bool caveatOn95 = false;  // works, with a condition the program must meet
    bool caveatOn98 = false;
    bool works = false;  // listed only to say that it works
    std::string note;
    // From the list of later additions: whether each system has it at all.
    std::optional<bool> presentOn95;
    std::optional<bool> presentOn98;
};

// The lists that say what Windows 95 and 98 export by name, which of those
// exports are stubs, and which functions came later. Names are matched as the
// loader matches them: DLL names in any letter case, function names exactly.
class Windows9xLists {
  public:
    // Reads exports/<DLL>.txt (95) and <DLL>.win98.txt (98), stubs-9x.txt and
    // later.txt from `folder`.
    static rt::Result<Windows9xLists, std::string> load(const std::filesystem::path& folder);

    // Null when nothing is known of the DLL for that system.
    const std::set<std::string>* exports(const std::string& dll, Target target) const;
    // Null when the function is in neither list of remarks.
    const Known* known(const std::string& dll, const std::string& function) const;

  private:
    std::map<std::string, std::set<std::string>> m_exports95;
    std::map<std::string, std::set<std::string>> m_exports98;
    std::map<std::string, Known> m_known;  // "DLL!Function", DLL in upper case
};

// The DLL part of an import as the lists name it: upper case, no ".DLL".
std::string dllKey(const std::string& dll);

}  // namespace keldwick::imports
