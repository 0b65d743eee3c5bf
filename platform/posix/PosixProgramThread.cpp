#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "platform/threads/NativeThread.h"
#include "platform/threads/ProgramThread.h"

namespace rt {

namespace {

// The most the first thread's stack may grow to; no limit counts as enough.
bool firstStackIsEnough() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_STACK, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return true;
    }
    return limit.rlim_cur >= NativeThread::kMinimumStackBytes;
}

}  // namespace

int runProgramBody(const std::function<int()>& body) {
    std::signal(SIGPIPE, SIG_IGN);
    if (firstStackIsEnough()) {
        return body();
    }
    int status = 1;
    NativeThread thread([&] { status = body(); }, NativeThread::kMinimumStackBytes);
    if (!thread.isStarted()) {
        const std::string line =
            "keldwick: the stack limit is too small, and no thread with a larger stack "
            "could be started: " +
            thread.startError().message() + "\n";
        std::fputs(line.c_str(), stderr);
        return 1;
    }
    thread.join();
    return status;
}

}  // namespace rt
