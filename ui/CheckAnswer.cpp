#include "CheckAnswer.h"

#include <atomic>

namespace keldwick {

namespace {

std::atomic<CheckAnswer> g_lastAnswer{CheckAnswer::None};

CheckAnswer answerFor(std::string_view recommendation) {
    if (recommendation == "OK") {
        return CheckAnswer::Ok;
    }
    if (recommendation == "UPGRADE") {
        return CheckAnswer::Upgrade;
    }
    if (recommendation == "NOT95") {
        return CheckAnswer::Not95;
    }
    return CheckAnswer::Unknown;
}

}  // namespace

void rememberCheckAnswer(std::string_view recommendation, bool reportWritten) {
    g_lastAnswer.store(reportWritten ? answerFor(recommendation) : CheckAnswer::ReportNotWritten,
                       std::memory_order_release);
}

CheckAnswer lastCheckAnswer() {
    return g_lastAnswer.load(std::memory_order_acquire);
}

void forgetCheckAnswer() {
    g_lastAnswer.store(CheckAnswer::None, std::memory_order_release);
}

}  // namespace keldwick
