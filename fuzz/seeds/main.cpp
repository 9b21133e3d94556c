// fuzz_seeds TARGET FOLDER: writes the seed corpus of one fuzz target into FOLDER.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "seeds/seeds.h"

namespace mirulane::seeds {

void WriteSeed(const std::string& folder, std::string_view name, std::string_view bytes) {
    std::ofstream out(std::filesystem::path(folder) / std::string(name), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace mirulane::seeds

int main(int argc, char** argv) {
    using namespace mirulane::seeds;
    struct Row {
        const char* target;
        void (*write)(const std::string&);
    };
    const Row rows[] = {
        {"fuzz_image_headers", WriteImageHeaderSeeds},
        {"fuzz_album_file", WriteAlbumFileSeeds},
        {"fuzz_profile", WriteProfileSeeds},
        {"fuzz_exif_read", WriteExifSeeds},
        {"fuzz_exif_thumb", WriteExifSeeds},
        {"fuzz_template", WriteTemplateSeeds},
        {"fuzz_page_values", WritePageValueSeeds},
        {"fuzz_thumbnail_maker", WritePictureSeeds},
        {"fuzz_movies", WriteMovieSeeds},
    };
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds TARGET FOLDER\n");
        return 2;
    }
    std::filesystem::create_directories(argv[2]);
    for (const auto& row : rows) {
        if (std::strcmp(row.target, argv[1]) == 0) {
            row.write(argv[2]);
            return 0;
        }
    }
    return 0;  // a target without seeds starts from an empty corpus
}
