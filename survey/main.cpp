#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "survey/Survey.h"
#include "survey/SurveyProgram.h"

// Nothing thrown may leave main: a failed allocation, or anything else, ends
// the survey with its own status and one line, never with a status that a
// batch file would read as a finding.
int main(int argc, char** argv) {
    try {
        const std::vector<std::string> parameters(argv + (argc > 0 ? 1 : 0), argv + argc);
        return keldwick::deliver(keldwick::answerSurvey(parameters), stdout, stderr);
    } catch (const std::bad_alloc&) {
        std::fputs("keldwick-survey: out of memory; the survey is incomplete\n", stderr);
    } catch (...) {
        std::fputs("keldwick-survey: the survey ended by an error and is incomplete\n", stderr);
    }
    return keldwick::kSurveyUnfinished;
}
