#pragma once
// The small picture the list pane's thumbnail view shows for an entry: the album's own
// thumbnail file when there is one, else the thumbnail the camera stored in the photo, else
// the photo made small. Load may run on any thread; nothing here touches the album.

#include <mutex>
#include <string>
#include <string_view>

#include "album/media.h"

namespace mirulane {

enum class ListPictureKind {
    Picture,  // `bytes` hold a picture file
    Movie,    // a movie without a poster: shown by its kind
    None,     // nothing to show (not found, not readable, not a picture)
};

// Where a picture came from.
enum class ListPictureSource { ThumbFolder, Embedded, Made, Nowhere };

// The formats `bytes` can be in.
enum class ListPictureFormat { Jpeg, Png, Gif };

struct ListPicture {
    ListPictureKind kind = ListPictureKind::None;
    ListPictureSource source = ListPictureSource::Nowhere;
    ListPictureFormat format = ListPictureFormat::Jpeg;
    // The picture file: it stands upright once a JPEG's own Exif Orientation is applied (an
    // embedded thumbnail gets its photo's), and its header has been checked within a small
    // budget, so a decoder sees nothing larger than a thumbnail.
    std::string bytes;
};

// Sets up the picture decoders: call it once on the window's thread before the first Load.
void PrepareListPictures();

class ListPictures {
  public:
    // targetFolder: the album's pictures; thumbFolder: its thumbnail folder (may be empty or
    // missing); box: the largest side a made picture gets (CP932 paths).
    ListPictures(std::string targetFolder, std::string thumbFolder, int box);

    // The picture for the entry of this file name. Safe to call from several threads.
    ListPicture Load(std::string_view fileName) const;

    const std::string& TargetFolder() const { return target_; }
    const std::string& ThumbFolder() const { return thumbs_; }

  private:
    // The thumbnail folder's file for the entry, in any letter case: a picture's own name, a
    // movie's poster name; empty when there is none.
    std::string FindThumbFile(std::string_view fileName) const;

    std::string target_;
    std::string thumbs_;
    int box_;
    // The thumbnail folder is listed once, by the first Load that needs it.
    mutable std::once_flag listed_;
    mutable FolderIndex index_;
};

}  // namespace mirulane
