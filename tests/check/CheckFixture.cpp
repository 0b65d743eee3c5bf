#include "CheckFixture.h"

namespace keldwick::test {

namespace fs = std::filesystem;

CheckFixture::CheckFixture() {
    for (const auto& dir : {cwd(), systemDir(), windowsDir()}) {
        fs::create_directory(dir);
    }
    services.cwd = cwd().string();
    services.systemDir = systemDir().string();
    services.windowsDir = windowsDir().string();
}

void CheckFixture::putDriver(const fs::path& directory, const std::string& version,
                             const std::string& table) {
    const auto path = directory / "VREDIR.VXD";
    rt::test::writeWholeFile(path, "driver");
    services.setVersion(path.string(), version, table);
}

std::string CheckFixture::reportText() const {
    return fs::exists(report()) ? rt::test::readWholeFile(report()) : std::string("<no report>");
}

CheckFixture::Results CheckFixture::runCheck() {
    // Fields arrive holding old text, as a window's bound fields may.
    ResultField isWin95("stale");
    ResultField driverVersion("stale");
    ResultField recommend("stale");
    const auto written = CHECKVREDIR(isWin95, driverVersion, recommend);
    return {isWin95.str(), driverVersion.str(), recommend.str(), written ? "" : written.error().reason};
}

}  // namespace keldwick::test
