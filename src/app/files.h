#pragma once
// What the front ends use of the file system: CP932 paths to system paths, file status and
// checks, and the path algebra (joins, base names, relative links).

#include "platform/fs.h"
#include "platform/paths.h"
