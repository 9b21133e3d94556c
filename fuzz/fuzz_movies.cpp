// The movie readers over arbitrary file contents under each movie name: the first byte
// chooses the extension, the rest is the file. Whatever the bytes, the probe, the poster and
// the playable copy answer with a result or a reason, within their time.

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_folder.h"
#include "imaging/movie_copy.h"
#include "imaging/movie_poster.h"

using mirulane::fuzz::Folder;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace mirulane;
    static const char* const kExtensions[] = {"avi", "mp4", "mov", "mpg", "webm", "m4v"};
    if (size < 1) return 0;
    const std::string path = Folder() + "/clip." + kExtensions[data[0] % 6];
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(data + 1, 1, size - 1, file) != size - 1 || std::fclose(file) != 0)
        abort();
    MovieLimits limits;
    limits.posterTime = std::chrono::milliseconds(2000);
    limits.copyTimeBase = std::chrono::milliseconds(2000);
    limits.copyTimePerSecond = 0;
    MovieFacts facts = ProbeMovie(path, limits);
    if (facts.problem != ThumbnailProblem::None && facts.playable) abort();
    MadeThumbnail poster = MakeMoviePoster(path, 160, 120, limits);
    if (poster.ok && poster.jpeg.compare(0, 3, "\xFF\xD8\xFF") != 0) abort();
    if (!poster.ok && poster.error.empty()) abort();
    const std::string out = Folder() + "/copy.mp4";
    close(open(out.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0644));
    MovieCopy copy = MakePlayableCopy(path, out, limits);
    if (!copy.ok && copy.problem == ThumbnailProblem::None && !copy.writeFailed) abort();
    return 0;
}
