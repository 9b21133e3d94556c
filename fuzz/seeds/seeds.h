#pragma once
// Seed writers for the fuzz targets: each fills a corpus folder (UTF-8 path, existing) with
// inputs made by the test fixture builders.

#include <string>
#include <string_view>

namespace mirulane::seeds {

void WriteSeed(const std::string& folder, std::string_view name, std::string_view bytes);

void WriteImageHeaderSeeds(const std::string& folder);
void WriteAlbumFileSeeds(const std::string& folder);
void WriteProfileSeeds(const std::string& folder);
void WriteExifSeeds(const std::string& folder);
void WriteTemplateSeeds(const std::string& folder);
void WritePageValueSeeds(const std::string& folder);
void WritePictureSeeds(const std::string& folder);
void WriteMovieSeeds(const std::string& folder);

}  // namespace mirulane::seeds
