#pragma once

namespace rt::desktop {

// How the desktop knows the program: the name under which its data (the help)
// is installed, the launcher its windows belong to, and its icon.
class DesktopIdentity {
  public:
    static constexpr const char* kApplicationName = "keldwick";
    // The launcher file and the icon carry this name.
    static constexpr const char* kDesktopId = "org.keldwick.Keldwick";

    // Before the application object exists: names that Qt reads while it is made.
    static void applyNames();
    // Once it exists: the program's icon as installed with it.
    static void applyIcon();
};

}  // namespace rt::desktop
