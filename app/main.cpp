#include "app/ProgramBody.h"

int main(int argc, char** argv) {
    rt::startUp(keldwick::programModules(), argc, argv);
    if (rt::checkVersion(rt::kInterfaceVersion, rt::kInterfaceRevision, 0) == 0) {
        return 0;
    }
    const int status = keldwick::programBody();
    rt::closeDown();
    return status;
}
