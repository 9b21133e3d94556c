// The thumbnail maker over arbitrary file contents under each picture name: the first byte
// chooses the extension, the rest is the file. Whatever the bytes, it answers with a
// thumbnail or a reason, and a thumbnail it makes is a JPEG.

#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_folder.h"
#include "imaging/thumbnail_maker.h"

using mirulane::fuzz::Folder;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return mirulane::StartPictureDecoding() ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace mirulane;
    static const char* const kExtensions[] = {"jpg", "jpeg", "png", "gif", "bmp", "tif"};
    if (size < 1) return 0;
    const std::string path = Folder() + "/picture." + kExtensions[data[0] % 6];
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(data + 1, 1, size - 1, file) != size - 1 || std::fclose(file) != 0)
        abort();
    MadeThumbnail made = MakeThumbnailJpeg(path, 160, 120);
    if (made.ok != (made.problem == ThumbnailProblem::None)) abort();
    if (made.ok && made.jpeg.compare(0, 3, "\xFF\xD8\xFF") != 0) abort();
    if (!made.ok && (!made.jpeg.empty() || made.error.empty())) abort();
    return 0;
}
