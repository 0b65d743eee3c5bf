#include "app/ProgramBody.h"
#include "platform/base/EntryGuard.h"
#include "platform/threads/ProgramThread.h"
#include "platform/window/Runtime.h"

// An error that reaches here ends the program with a message: the windows'
// threads would be cut off mid-work.
int main(int argc, char** argv) {
    return rt::runProgramBody([&] {
        return rt::guardEntry("the program ended by an error; the check may not have finished", [&] {
            rt::startUp(keldwick::programModules(), argc, argv);
            if (rt::checkVersion(rt::kInterfaceVersion, rt::kInterfaceRevision, 0) == 0) {
                return 0;
            }
            const int status = keldwick::programBody();
            rt::closeDown();
            return status;
        });
    });
}
