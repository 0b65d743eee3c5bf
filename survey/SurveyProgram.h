#pragma once

#include <cstdio>
#include <span>
#include <string>

namespace keldwick {

// The whole program after start-up: reads the parameters, surveys, writes to
// `out` (errors to `err`) and returns the exit status.
int runSurveyProgram(std::span<const std::string> parameters, std::FILE* out, std::FILE* err);

}  // namespace keldwick
