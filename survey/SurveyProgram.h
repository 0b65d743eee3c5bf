#pragma once

#include <cstdio>
#include <span>
#include <string>

namespace keldwick {

// What the program answers to its parameters, before any of it is written.
struct SurveyAnswer {
    int status = 0;
    std::string out;  // for standard output
    std::string err;  // for standard error
};

// The whole program after start-up: reads the parameters and surveys.
SurveyAnswer answerSurvey(std::span<const std::string> parameters);

// Writes the answer and returns the exit status: the answer's, unless its
// output could not be written whole.
int deliver(const SurveyAnswer& answer, std::FILE* out, std::FILE* err);

}  // namespace keldwick
