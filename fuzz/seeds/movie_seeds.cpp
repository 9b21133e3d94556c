// Seeds for the movie readers: a short clip of each container, the first byte choosing the
// extension it is written under (avi, mp4, mov, mpg, webm, m4v).

#include <unistd.h>

#include <fstream>
#include <sstream>

#include "fixtures/movie_builder.h"
#include "seeds/seeds.h"

namespace mirulane::seeds {

void WriteMovieSeeds(const std::string& folder) {
    using namespace fixtures;
    struct Row {
        const char* name;
        char extension;
        ClipRecipe recipe;
    } rows[] = {
        {"mjpeg_avi", 0, {ClipKind::MjpegAvi, 32, 24, 5, 0.6, true}},
        {"h264_mp4", 1, {ClipKind::H264Mp4, 32, 24, 5, 0.6, true, 90}},
        {"mpeg1", 3, {ClipKind::Mpeg1, 32, 24, 25, 0.2, false}},
    };
    for (const Row& row : rows) {
        const std::string path = folder + "/." + row.name + ".tmp";
        if (!WriteClip(path, row.recipe)) continue;
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        unlink(path.c_str());
        WriteSeed(folder, row.name, std::string(1, row.extension) + bytes.str());
    }
}

}  // namespace mirulane::seeds
