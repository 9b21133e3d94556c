#pragma once
// File kinds by name, and picture sizes read straight from file headers.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace mirulane {

enum class MediaKind { Image, Video, Other };

// The classification extension: bytes after the last '.', or the whole name without one;
// at most 7 bytes, ASCII lower-cased.
std::string ClassificationExtension(std::string_view name);
MediaKind KindOfName(std::string_view name);
bool IsImage(std::string_view name);
bool IsVideo(std::string_view name);

// A movie's poster in the thumbnail folder and its playable copy in the movie folder are
// named after the movie's file, extension and all ("clip.avi" has "clip.avi.jpg" and
// "clip.avi.mp4"), so that neither takes the name of a photo's thumbnail or of another clip's.
std::string PosterName(std::string_view movieName);
std::string PlayableCopyName(std::string_view movieName);

struct PixelSize {
    uint32_t width = 0;
    uint32_t height = 0;
    // The Exif Orientation of a JPEG (1 to 8): how the picture is to be turned to stand
    // upright. 1 for the other formats and where the tag is absent or malformed.
    int orientation = 1;
};

// Header readers: 0 and the size on success, negative on failure (size then 0).
int ReadBmpSize(std::string_view path, PixelSize& size);
int ReadJpegSize(std::string_view path, PixelSize& size);
int ReadGifSize(std::string_view path, PixelSize& size);
int ReadPngSize(std::string_view path, PixelSize& size);
int ReadRiffSize(std::string_view path, PixelSize& size);
// MP4 and QuickTime: the first video track's size from its track header ("tkhd"), walking
// the boxes moov > trak > tkhd wherever they sit in the file (a camera often writes moov
// after the movie data). A track turned a quarter by its matrix reports orientation 6 or 8,
// so the located size is the upright one.
int ReadMp4Size(std::string_view path, PixelSize& size);
// WebM: the first video track's PixelWidth and PixelHeight, walking the elements segment >
// tracks > track entry > video. A WebM file whose size is not found is still found, 0 x 0.
int ReadWebmSize(std::string_view path, PixelSize& size);
int CheckExists(std::string_view path);

// The same parsers over bytes already in memory (the fuzz targets use these). The JPEG one
// walks segments as the file reader does; both take the orientation from IFD0 of the first
// Exif APP1 segment before the frame header.
int ParseBmpSize(std::string_view bytes, PixelSize& size);
int ParseJpegSize(std::string_view bytes, PixelSize& size);
int ParseGifSize(std::string_view bytes, PixelSize& size);
int ParsePngSize(std::string_view bytes, PixelSize& size);
int ParseRiffSize(std::string_view bytes, PixelSize& size);
int ParseMp4Size(std::string_view bytes, PixelSize& size);
int ParseWebmSize(std::string_view bytes, PixelSize& size);

// The Orientation (tag 0x0112, one SHORT of 1 to 8) of IFD0 of TIFF data, as an Exif segment
// holds it after "Exif" 00 00; 1 when it is absent or malformed. Reads nothing outside `tiff`.
int TiffOrientation(std::string_view tiff);

// Case-insensitive name look-up in one folder, from a single listing made on first use.
class FolderIndex {
  public:
    explicit FolderIndex(std::string folder);
    // The name as found on disk, or null when the folder holds no such file. A file of exactly
    // that name wins; otherwise one that differs only in letter case (a folder may hold both
    // a.jpg and A.JPG).
    const std::string* Lookup(std::string_view name) const;

  private:
    void Build() const;
    std::string folder_;
    mutable bool built_ = false;
    mutable std::set<std::string, std::less<>> exact_;  // names on disk
    mutable std::map<std::string, std::string> names_;  // folded name -> name on disk
};

// A picture or movie file found by the locator.
struct FoundImage {
    std::string name;       // the file name as it is on disk
    std::string extension;  // the extension of that name, in its letter case on disk
    // The size as the picture is shown, upright: the header's width and height swapped for
    // orientations 5 to 8 (a quarter turn). 0 × 0 when the file's size is not read (MPEG,
    // WebM).
    PixelSize size;
};

// Locate image: finds the picture or movie for a base path (full path without "." and
// extension) and measures it. Holds one FolderIndex per folder, so a run that locates
// thousands of files in one folder lists it once. Create one per run: files that appear
// after a folder was indexed are not seen.
class ImageLocator {
  public:
    // The file for basePath with the preferred extension (any letter case) or, with tryAll,
    // any extension of the locator table; nullopt when none is found and measured. Links name
    // the file as returned here, so they lead to it where letter case matters.
    std::optional<FoundImage> Locate(std::string_view basePath, std::string_view extension,
                                     bool tryAll = true);

  private:
    const FolderIndex& IndexFor(const std::string& folder);
    std::map<std::string, std::unique_ptr<FolderIndex>> folders_;
};

}  // namespace mirulane
