#include "Unprivileged.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace rt::test {

namespace {

constexpr int kPassed = 0;
constexpr int kFailed = 1;
constexpr int kCannotDrop = 2;

bool dropPrivileges() {
    if (::geteuid() != 0) {
        return true;
    }
    constexpr uid_t kNobody = 65534;
    return ::setgroups(0, nullptr) == 0 && ::setresgid(kNobody, kNobody, kNobody) == 0 &&
           ::setresuid(kNobody, kNobody, kNobody) == 0;
}

}  // namespace

std::optional<bool> runUnprivileged(const std::function<bool()>& body) {
    const pid_t child = ::fork();
    if (child < 0) {
        return std::nullopt;
    }
    if (child == 0) {
        ::_exit(!dropPrivileges() ? kCannotDrop : body() ? kPassed : kFailed);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == kCannotDrop) {
        return WIFEXITED(status) ? std::nullopt : std::optional<bool>(false);
    }
    return WEXITSTATUS(status) == kPassed;
}

}  // namespace rt::test
