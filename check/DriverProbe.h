#pragma once

#include <cstddef>
#include <span>

#include "check/CheckRun.h"

namespace keldwick {

inline constexpr std::string_view kDriverFileName = "VREDIR.VXD";
inline constexpr std::string_view kVersionQuery = "\\StringFileInfo\\040904E4\\FileVersion";

// Version blocks larger than this are not read: the driver's is a few hundred bytes.
inline constexpr std::size_t kMaxVersionBlock = std::size_t{64} * 1024;

using CandidatePath = rt::CStringBuffer<rt::kMaxPath>;
using VersionValue = rt::CStringBuffer<1000>;

// The driver's FileVersion text as its versionValue (control characters made
// blanks, trailing blanks removed), cut to 40 characters, or "UNKNOWN" where it
// holds nothing else; writes VERSION to the report when it has one. Window and
// report get the same text.
ResultField GETDRIVERVERSION();

// Completes the directory in `candidate` with the driver's file name and tests
// whether it exists; failing that, whether the name exists in another letter
// case, which then stands in the candidate. A candidate that would not fit is
// not found: the test is never made on a cut path.
bool LOCATEINDIR(CandidatePath& candidate, std::string_view driverFileName);

// The text at `query` in a version block, or empty, also where its NUL is not
// inside the block. The copy never reads past the block nor past the value buffer.
void READFILEVERSION(std::span<const std::byte> block, const char* query, VersionValue& value);

}  // namespace keldwick
