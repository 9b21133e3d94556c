#include "app/list_picture.h"

#include <utility>

#include "exif/exif_catalogue.h"
#include "exif/exif_reader.h"
#include "imaging/picture_check.h"
#include "imaging/thumbnail_maker.h"
#include "platform/fs.h"
#include "platform/paths.h"

namespace mirulane {
namespace {

// A file the view takes as it is: a thumbnail, not a photo. Anything larger is made small
// by the thumbnail maker first.
constexpr size_t kMaxThumbBytes = 2u << 20;
PictureBudget ThumbBudget() {
    PictureBudget b;
    b.side = 2048;
    b.pixels = 2048u * 2048u;
    b.heldBytes = 16u << 20;
    return b;
}

bool Formatted(PictureKind kind, ListPictureFormat& format) {
    switch (kind) {
        case PictureKind::Jpeg:
            format = ListPictureFormat::Jpeg;
            return true;
        case PictureKind::Png:
            format = ListPictureFormat::Png;
            return true;
        case PictureKind::Gif:
            format = ListPictureFormat::Gif;
            return true;
        default:
            return false;
    }
}

// The bytes as they are when they pass the checks of their kind, within a thumbnail's budget.
bool TakeAsIs(PictureKind kind, std::string bytes, ListPictureSource source, ListPicture& out) {
    ListPictureFormat format{};
    if (!Formatted(kind, format) || bytes.size() > kMaxThumbBytes) return false;
    if (CheckPictureHeader(kind, bytes, ThumbBudget()).problem != ThumbnailProblem::None) {
        return false;
    }
    out = {ListPictureKind::Picture, source, format, std::move(bytes)};
    return true;
}

bool Make(const std::string& path, int box, ListPictureSource source, ListPicture& out) {
    MadeThumbnail made = MakeThumbnailJpeg(path, box, box);
    if (!made.ok) return false;
    out = {ListPictureKind::Picture, source, ListPictureFormat::Jpeg, std::move(made.jpeg)};
    return true;
}

}  // namespace

void PrepareListPictures() { StartPictureDecoding(); }

ListPictures::ListPictures(std::string targetFolder, std::string thumbFolder, int box)
    : target_(std::move(targetFolder)),
      thumbs_(std::move(thumbFolder)),
      box_(box),
      index_(thumbs_) {}

std::string ListPictures::FindThumbFile(std::string_view fileName) const {
    if (thumbs_.empty()) return {};
    std::call_once(listed_, [this] { (void)index_.Lookup(""); });
    // A movie's poster is named after the whole file name, so that a photo's thumbnail of
    // the same base name never shows for the movie.
    const std::string name = IsVideo(fileName) ? PosterName(fileName) : std::string(fileName);
    const std::string* found = index_.Lookup(name);
    return found ? *found : std::string();
}

ListPicture ListPictures::Load(std::string_view fileName) const {
    ListPicture out;
    // An album file can hold any name: one that leads out of its folder shows nothing.
    if (fileName.empty() || !IsPlainFileName(fileName)) return out;

    if (std::string thumb = FindThumbFile(fileName); !thumb.empty()) {
        const std::string path = JoinPath(thumbs_, thumb);
        std::string bytes;
        if (ReadFileBytes(path, bytes, kMaxThumbBytes + 1) == 0 &&
            TakeAsIs(PictureKindOfName(thumb), std::move(bytes), ListPictureSource::ThumbFolder,
                     out)) {
            return out;
        }
        // A thumbnail too large to take as it is (or of a kind the view does not read).
        if (Make(path, box_, ListPictureSource::ThumbFolder, out)) return out;
    }

    if (IsVideo(fileName)) {
        out.kind = ListPictureKind::Movie;
        return out;
    }
    if (!IsImage(fileName)) return out;

    const std::string photo = JoinPath(target_, fileName);
    if (PictureKindOfName(fileName) == PictureKind::Jpeg) {
        ExifTable table = MakeThumbnailTable();
        ExifThumbnail embedded;
        if (ReadExif(photo, table, &embedded) == kExifOk &&
            embedded.status == ThumbnailFind::Found &&
            TakeAsIs(PictureKind::Jpeg, OrientedThumbnail(embedded.bytes, embedded.orientation),
                     ListPictureSource::Embedded, out)) {
            return out;
        }
    }
    Make(photo, box_, ListPictureSource::Made, out);
    return out;
}

}  // namespace mirulane
