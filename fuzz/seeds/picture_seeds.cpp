// Seeds for the thumbnail maker: small real pictures of each kind, the first byte choosing
// the extension they are written under (jpg, jpeg, png, gif, bmp, tif).

#include "fixtures/bmp_builder.h"
#include "fixtures/image_builder.h"
#include "fixtures/picture_builder.h"
#include "seeds/seeds.h"

namespace mirulane::seeds {

void WritePictureSeeds(const std::string& folder) {
    using namespace fixtures;
    auto seed = [&](const std::string& name, char extension, const std::string& bytes) {
        WriteSeed(folder, name, std::string(1, extension) + bytes);
    };
    seed("jpeg", 0, MakePicture(PictureFormat::Jpeg, 48, 32, 6, false, 8));
    seed("progressive", 1, MakePicture(PictureFormat::ProgressiveJpeg, 40, 30));
    seed("png_alpha", 2, MakePicture(PictureFormat::Png, 24, 16, 1, true));
    seed("png_interlaced", 2, MakePicture(PictureFormat::InterlacedPng, 24, 16));
    seed("gif", 3, MakePicture(PictureFormat::Gif, 24, 16, 1, true));
    seed("tif", 5, std::string("II*\0\x08\0\0\0", 8));
    const BmpLayout layouts[] = {
        BmpLayout::Rgb24,        BmpLayout::Rgb32,          BmpLayout::Rgb16,
        BmpLayout::BitFields565, BmpLayout::BitFieldsAlpha, BmpLayout::Palette8,
        BmpLayout::Palette4,     BmpLayout::Palette1,       BmpLayout::Rle8,
        BmpLayout::Rle4,         BmpLayout::Os2Palette8};
    int n = 0;
    for (BmpLayout layout : layouts)
        seed("bmp" + std::to_string(n++), 4, MakeBmpPicture(9, 6, layout));
    seed("bmp_topdown", 4, MakeBmpPicture(9, 6, BmpLayout::Rgb24, true));
}

}  // namespace mirulane::seeds
