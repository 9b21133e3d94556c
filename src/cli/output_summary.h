#pragma once
// The closing lines of a command that wrote album files: how many files it wrote, left alone
// as they were, or kept because they were not its own to replace.

#include <cstdio>

#include "app/outputs.h"

namespace mirulane::cli {

// One line each for the written, unchanged and kept files, the kept files named under their
// line, and the program's files that were removed, when there were any. Nothing when the run
// met no file.
void PrintOutputSummary(std::FILE* out, const OutputTally& tally);

}  // namespace mirulane::cli
