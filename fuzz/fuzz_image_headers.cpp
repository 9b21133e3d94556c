// Every picture and movie header parser over arbitrary bytes.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "album/media.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    mirulane::PixelSize s;
    mirulane::ParseBmpSize(bytes, s);
    mirulane::ParseJpegSize(bytes, s);
    mirulane::ParseGifSize(bytes, s);
    mirulane::ParsePngSize(bytes, s);
    mirulane::ParseRiffSize(bytes, s);
    mirulane::ParseMp4Size(bytes, s);
    mirulane::ParseWebmSize(bytes, s);
    return 0;
}
