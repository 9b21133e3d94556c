#pragma once
// The one place that words what went wrong: every problem the core returns becomes the text,
// caption and icon of its message here, and is told through the Interaction from here.

#include <string>
#include <vector>

#include "platform/interaction.h"
#include "platform/problem.h"

namespace mirulane {

// A problem as the user is told it (CP932). An empty caption means the application's name.
struct ProblemNotice {
    std::string text;
    std::string caption{};
    MsgIcon icon = MsgIcon::Exclamation;
};

ProblemNotice ProblemText(const Problem& problem);

// Why a picture (or a movie) could not be decoded, by the value of its ThumbnailProblem.
std::string DecodeProblemText(int code, bool movie = false);

// Tells each problem in a message box with an OK button, in order.
void Report(Interaction& ui, const Problem& problem);
void Report(Interaction& ui, const std::vector<Problem>& problems);

}  // namespace mirulane
