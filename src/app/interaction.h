#pragma once
// The interface through which the core asks and reports, for the front ends that implement it
// (the window's dialogs, the terminal).

#include "platform/interaction.h"
