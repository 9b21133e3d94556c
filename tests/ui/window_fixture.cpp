#include <gtest/gtest.h>

#include "window_fixture.h"

#include "album/album_file.h"
#include "support/scripted_interaction.h"

namespace mirulane::ui::testing {

std::string WindowTest::WriteAlbum(const std::vector<std::string>& names,
                                   const std::string& file) const {
    Album album;
    for (const std::string& name : names) album.entries.Append(name);
    album.style.TargetFolder = dir.path() + "/photos";
    ScriptedInteraction ui;
    std::string path = dir.path() + "/" + file;
    EXPECT_EQ(WriteAlbumFile(album, path, ui), static_cast<int>(names.size()));
    return path;
}

std::string WindowTest::PhotoFolder(int count, const std::string& name) const {
    for (int i = 0; i < count; ++i) {
        dir.Write(name + "/IMG_" + std::to_string(1000 + i) + ".jpg", fixtures::MakeJpeg(8, 6));
    }
    return dir.path() + "/" + name;
}

}  // namespace mirulane::ui::testing
