#include "ProgramFixture.h"

#include <filesystem>
#include <thread>

#include "app/ProgramBody.h"
#include "platform/window/Runtime.h"
#include "platform/window/RuntimeSetup.h"
#include "tests/support/ForwardingPresenter.h"

namespace keldwick::test {

namespace fs = std::filesystem;

ProgramFixture::ProgramFixture() {
    fs::create_directory(m_root / "current");
    fs::create_directory(m_root / "system");
    services.cwd = (m_root / "current").string();
    services.systemDir = (m_root / "system").string();
    const auto driver = m_root / "system" / "VREDIR.VXD";
    rt::test::writeWholeFile(driver, "driver");
    services.setVersion(driver.string(), "4.00.1116");
}

int ProgramFixture::runProgram(std::vector<std::string> arguments, const std::function<void()>& person) {
    arguments.insert(arguments.begin(), "keldwick");
    std::vector<const char*> argv;
    argv.reserve(arguments.size());
    for (const auto& argument : arguments) {
        argv.push_back(argument.c_str());
    }
    rt::startUp(programModules(), static_cast<int>(argv.size()), argv.data());
    std::thread acting;
    if (person) {
        rt::usePresenter(std::make_unique<rt::test::ForwardingPresenter>(screen));
        acting = std::thread(person);
    }
    const int status = programBody();
    if (acting.joinable()) {
        acting.join();
    }
    rt::closeDown();
    return status;
}

std::string ProgramFixture::reportText() const {
    const auto report = m_root / "current" / "KELDWICK.INI";
    return fs::exists(report) ? rt::test::readWholeFile(report) : "<no report>";
}

rt::test::HeadlessPresenter::ShownWindow ProgramFixture::statusWindowWithResults(std::size_t n) {
    rt::test::HeadlessPresenter::ShownWindow found;
    const bool shown = presenter->waitFor([&](const auto& windows) {
        std::size_t seen = 0;
        for (const auto& window : windows) {
            if (window.isFrame) {
                continue;
            }
            if (seen++ == n) {
                const auto text = window.texts.find(kRecommendDisplay);
                if (text == window.texts.end() || text->second.empty() || window.focus != kCloseButton) {
                    return false;
                }
                found = window;
                return true;
            }
        }
        return false;
    });
    EXPECT_TRUE(shown) << "status window " << n << " never showed its results";
    return found;
}

rt::WindowId ProgramFixture::frameId() {
    rt::WindowId id = 0;
    presenter->waitFor([&](const auto& windows) {
        for (const auto& window : windows) {
            if (window.isFrame) {
                id = window.id;
                return true;
            }
        }
        return false;
    });
    return id;
}

}  // namespace keldwick::test
