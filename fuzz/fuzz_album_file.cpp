// The album list file reader over arbitrary bytes, answering the over-long-line question both
// ways, then a write of what it read (to memory); and the check that tells an album list file
// from other text (against a folder that lists nothing).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "album/album_file.h"
#include "support/scripted_interaction.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    mirulane::Album album;
    const bool skip = size % 2;
    (void)mirulane::HoldsAlbumList(text, "/nonexistent-folder");
    mirulane::ReadAlbumText(album, text, [skip] { return skip; });
    (void)mirulane::AlbumFileText(album);
    return 0;
}
