#include "SystemServices.h"

#include "Paths.h"

namespace rt {

template class InstalledService<SystemServices, makeNativeSystemServices>;

std::string SystemServices::wholeDirectory(std::string answer) {
    if (answer.size() >= kMaxPath) {
        return {};
    }
    return answer;
}

}  // namespace rt
