#include <cstdio>

#include "check/CheckRun.h"

// One check in the current directory, its three results on standard output.
int main() {
    keldwick::ResultField isWin95;
    keldwick::ResultField driverVersion;
    keldwick::ResultField recommend;
    keldwick::CHECKVREDIR(isWin95, driverVersion, recommend);
    std::printf("Is Win95?       %s\nVRedir Version: %s\nRecommend:      %s\n", isWin95.str().c_str(),
                driverVersion.str().c_str(), recommend.str().c_str());
    return 0;
}
