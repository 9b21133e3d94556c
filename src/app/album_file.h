#pragma once
// The album list file for the command line, which reads and writes it without the window's
// questions: reading, writing, whether someone changed it since it was read, and taking a path
// the command will write as part of the album's watch.

#include "album/album_file.h"
