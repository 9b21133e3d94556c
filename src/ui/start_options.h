#pragma once
// What `mirulane` answers from its command line before it opens a window: its help and
// version (needing no display), and a start where no display can show the window.

#include <optional>

namespace mirulane::ui {

// The program's exit status when the command line is answered without a window (--help, -h,
// --version: printed to stdout, status 0; no display to open the window on: one line on
// stderr, status 1); nullopt when the window is to open.
std::optional<int> AnswerWithoutWindow(int argc, char** argv);

}  // namespace mirulane::ui
