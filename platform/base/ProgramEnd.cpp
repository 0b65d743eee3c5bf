#include "ProgramEnd.h"

#include <cstdlib>
#include <new>

#include "ErrorLine.h"

namespace rt {

void endProgramNow(std::string_view reason) {
    // The line does not allocate: there may be no memory left.
    tellErrorLine(reason);
    std::_Exit(kUnfinishedStatus);
}

void endProgramOutOfMemory() {
    endProgramNow("out of memory");
}

void endProgramWhenMemoryRunsOut() {
    std::set_new_handler(&endProgramOutOfMemory);
}

}  // namespace rt
