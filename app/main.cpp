#include "app/ProgramBody.h"
#include "platform/ProgramEnd.h"

// Nothing thrown may leave main: the windows' threads would be cut off
// mid-work. An error that reaches here ends the program with a message.
int main(int argc, char** argv) {
    try {
        rt::startUp(keldwick::programModules(), argc, argv);
        if (rt::checkVersion(rt::kInterfaceVersion, rt::kInterfaceRevision, 0) == 0) {
            return 0;
        }
        const int status = keldwick::programBody();
        rt::closeDown();
        return status;
    } catch (...) {
        rt::endProgramNow("the program ended by an error; the check may not have finished");
    }
}
