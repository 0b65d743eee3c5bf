#include "Windows9xLists.h"

#include <fstream>
#include <sstream>

#include "platform/base/AsciiCase.h"

namespace keldwick::imports {

namespace {

// A list line's first word, or nothing for blank lines and "#" comments.
std::optional<std::string> firstWord(const std::string& line) {
    std::istringstream words(line);
    std::string word;
    if (!(words >> word) || word.front() == '#') {
        return std::nullopt;
    }
    return word;
}

// "KERNEL32!Name" with the DLL part in upper case.
std::string knownKey(const std::string& word) {
    const auto bang = word.find('!');
    return bang == std::string::npos ? word : rt::toAsciiUpper(word.substr(0, bang)) + word.substr(bang);
}

std::set<std::string> readNames(std::istream& in) {
    std::set<std::string> names;
    for (std::string line; std::getline(in, line);) {
        if (auto word = firstWord(line)) {
            names.insert(*word);
        }
    }
    return names;
}

// stubs-9x.txt: "DLL!Function  # [targets] remark". The bracket names the
// systems where the function fails ("95,98", "98 only"), or says "caveat"
// (works, on a condition) or "98 works"; without a bracket the line only says
// that the function works.
void readStubs(std::istream& in, std::map<std::string, Known>& known) {
    for (std::string line; std::getline(in, line);) {
        const auto word = firstWord(line);
        if (!word) {
            continue;
        }
        auto& entry = known[knownKey(*word)];
        const auto hash = line.find('#');
        const std::string remark = hash == std::string::npos ? std::string() : line.substr(hash + 1);
        entry.note = remark;
        const auto open = remark.find('[');
        const auto close = remark.find(']');
        if (open == std::string::npos || close == std::string::npos || close < open) {
            entry.works = true;
            continue;
        }
        const std::string tags = remark.substr(open + 1, close - open - 1);
        if (tags.find("works") != std::string::npos) {
            entry.works = true;
        } else if (tags.find("caveat") != std::string::npos) {
            entry.caveatOn95 = tags.find("95") != std::string::npos;
            entry.caveatOn98 = tags.find("98") != std::string::npos;
        } else if (tags.find("98 only") != std::string::npos) {
            entry.stubOn98 = true;
        } else {
            entry.stubOn95 = tags.find("95") != std::string::npos;
            entry.stubOn98 = tags.find("98") != std::string::npos;
        }
    }
}

// later.txt: "DLL!Function  first=...  95=absent|stub|present  98=...  # remark".
void readLater(std::istream& in, std::map<std::string, Known>& known) {
    for (std::string line; std::getline(in, line);) {
        const auto word = firstWord(line);
        if (!word) {
            continue;
        }
        auto& entry = known[knownKey(*word)];
        std::istringstream fields(line.substr(0, line.find('#')));
        for (std::string field; fields >> field;) {
            const bool is95 = field.rfind("95=", 0) == 0;
            const bool is98 = field.rfind("98=", 0) == 0;
            if (!is95 && !is98) {
                continue;
            }
            const std::string state = field.substr(3);
            (is95 ? entry.presentOn95 : entry.presentOn98) = state != "absent";
            if (state == "stub") {
                (is95 ? entry.stubOn95 : entry.stubOn98) = true;
            }
        }
        if (entry.note.empty()) {
            const auto hash = line.find('#');
            entry.note = hash == std::string::npos ? std::string() : line.substr(hash + 1);
        }
    }
}

}  // namespace

std::string dllKey(const std::string& dll) {
    auto key = rt::toAsciiUpper(dll);
    if (key.size() > 4 && key.ends_with(".DLL")) {
        key.resize(key.size() - 4);
    }
    return key;
}

rt::Result<Windows9xLists, std::string> Windows9xLists::load(const std::filesystem::path& folder) {
    Windows9xLists lists;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder / "exports", error)) {
        const auto name = entry.path().filename().string();
        if (!name.ends_with(".txt")) {
            continue;
        }
        std::ifstream in(entry.path());
        const bool is98 = name.ends_with(".win98.txt");
        const auto dll = name.substr(0, name.size() - (is98 ? 10 : 4));
        (is98 ? lists.m_exports98 : lists.m_exports95)[dll] = readNames(in);
    }
    if (error || lists.m_exports95.empty()) {
        return "no export lists in " + (folder / "exports").string();
    }
    std::ifstream stubs(folder / "stubs-9x.txt");
    std::ifstream later(folder / "later.txt");
    if (!stubs || !later) {
        return "stubs-9x.txt or later.txt missing in " + folder.string();
    }
    readStubs(stubs, lists.m_known);
    readLater(later, lists.m_known);
    return lists;
}

const std::set<std::string>* Windows9xLists::exports(const std::string& dll, Target target) const {
    if (target == Target::Windows98) {
        if (const auto found = m_exports98.find(dll); found != m_exports98.end()) {
            return &found->second;
        }
    }
    // Windows 98 exports what 95 did; later.txt names what it added.
    const auto found = m_exports95.find(dll);
    return found == m_exports95.end() ? nullptr : &found->second;
}

const Known* Windows9xLists::known(const std::string& dll, const std::string& function) const {
    const auto found = m_known.find(dllKey(dll) + "!" + function);
    return found == m_known.end() ? nullptr : &found->second;
}

}  // namespace keldwick::imports
