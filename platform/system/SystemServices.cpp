#include "SystemServices.h"

#include "platform/base/Paths.h"

namespace rt {

template class InstalledService<SystemServices, makeNativeSystemServices>;

std::string SystemServices::wholeDirectory(std::string answer) {
    if (answer.size() >= kMaxPath) {
        return {};
    }
    return answer;
}

}  // namespace rt
