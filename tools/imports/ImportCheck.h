#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "ImportTable.h"
#include "Windows9xLists.h"

namespace keldwick::imports {

struct Finding {
    bool blocks = false;  // the program would not load, or a call would fail
    std::string text;
};

// Imports the lists flag that the program accepts, each with its reason
// (accepted.txt: "DLL!Function  # reason").
using Accepted = std::map<std::string, std::string>;
Accepted loadAccepted(const std::filesystem::path& file);

// Whether Windows 95 (or 98) loads the image and has a working function for
// every import: the loader refuses anything but an i386 PE32 image marked for
// subsystem and system version 4.0 or lower, and any import it cannot find;
// an import that the system has only as a stub fails every call.
std::vector<Finding> checkImage(const PeImage& image, const Windows9xLists& lists, const Accepted& accepted,
                                Target target);

}  // namespace keldwick::imports
