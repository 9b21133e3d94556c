// The size of an MP4 or QuickTime movie, from the track header of its first video track.
// The file is a sequence of boxes (a 32-bit size, a four-letter type, a 64-bit size when the
// 32-bit one is 1, "to the end" when it is 0); the walk reads box headers and one track header,
// and skips everything else unread, so a movie of gigabytes costs a few small reads.

#include <cstring>

#include "album/byte_source.h"
#include "album/media.h"

namespace mirulane {
namespace {

// More boxes than any camera or phone writes before its track headers; a file made of
// millions of empty boxes stops here instead of being walked to its end.
constexpr int kMaxBoxes = 4096;

// The track header's contents (after the box header): version and flags, then the times and
// the track number in 32-bit (version 0) or 64-bit (version 1) fields, then 16 fixed bytes,
// the 3x3 matrix and the width and height as 16.16 fixed-point numbers.
constexpr size_t kTkhdV0 = 84;
constexpr size_t kTkhdV1 = 96;

struct Box {
    char type[4];
    uint64_t content;  // where the contents start
    uint64_t end;      // where the box ends, never past its parent's end
};

template <typename Source>
class BoxWalk : public Cursor<Source> {
  public:
    using Cursor<Source>::Cursor;
    using Cursor<Source>::Pos;
    using Cursor<Source>::Read;

    // The next box before `end` (the parent's end); false at the end, on a box that does not
    // fit its parent, a short read or after kMaxBoxes boxes.
    bool Next(uint64_t end, Box& box) {
        if (Pos() > end || end - Pos() < 8 || ++visited_ > kMaxBoxes) return false;
        const uint64_t start = Pos();
        unsigned char h[8];
        if (!Read(h, 8)) return false;
        std::memcpy(box.type, h + 4, 4);
        uint64_t size = Be32(h);
        uint64_t header = 8;
        if (size == 1) {
            if (end - Pos() < 8 || !Read(h, 8)) return false;
            size = Be64(h);
            header = 16;
        } else if (size == 0) {
            size = end - start;
        }
        if (size < header || size > end - start) return false;
        box.content = start + header;
        box.end = start + size;
        return true;
    }

  private:
    int visited_ = 0;
};

bool IsType(const Box& box, const char* type) { return std::memcmp(box.type, type, 4) == 0; }

// The boxes a movie file begins with; anything else is not such a file.
bool IsLeadingBox(const Box& box) {
    for (const char* t : {"ftyp", "moov", "mdat", "free", "skip", "wide", "pnot"}) {
        if (IsType(box, t)) return true;
    }
    return false;
}

// The size a track header gives its track, 0 x 0 for a track without a picture (sound).
// Reads only the track header's own bytes.
template <typename Source>
bool ReadTrackHeader(BoxWalk<Source>& walk, const Box& tkhd, PixelSize& size) {
    unsigned char b[kTkhdV1];
    const uint64_t length = tkhd.end - tkhd.content;
    if (length < 1 || !walk.Read(b, 1)) return false;
    const size_t need = b[0] == 1 ? kTkhdV1 : b[0] == 0 ? kTkhdV0 : 0;
    if (need == 0 || length < need || !walk.Read(b + 1, need - 1)) return false;
    const unsigned char* matrix = b + need - 44;
    const unsigned char* dims = b + need - 8;
    // 16.16 fixed point, rounded to whole pixels.
    size.width = static_cast<uint32_t>((uint64_t{Be32(dims)} + 0x8000) >> 16);
    size.height = static_cast<uint32_t>((uint64_t{Be32(dims + 4)} + 0x8000) >> 16);
    // A quarter turn leaves a and d of the matrix (a b u / c d v / x y w) at 0; a phone held
    // upright writes b = 1, c = -1 (turn clockwise to show), held the other way b = -1, c = 1.
    const int32_t a = static_cast<int32_t>(Be32(matrix));
    const int32_t mb = static_cast<int32_t>(Be32(matrix + 4));
    const int32_t c = static_cast<int32_t>(Be32(matrix + 12));
    const int32_t d = static_cast<int32_t>(Be32(matrix + 16));
    size.orientation = 1;
    if (a == 0 && d == 0 && mb > 0 && c < 0) size.orientation = 6;
    if (a == 0 && d == 0 && mb < 0 && c > 0) size.orientation = 8;
    return true;
}

// Walks moov > trak > tkhd; the first track header with a non-zero width and height wins.
template <typename Source>
int WalkMp4(Source& src, uint64_t dataEnd, PixelSize& size) {
    size = {};
    BoxWalk<Source> walk(src, dataEnd);
    Box box;
    bool first = true;
    while (walk.Next(dataEnd, box)) {
        if (first && !IsLeadingBox(box)) return -1;
        first = false;
        if (IsType(box, "moov")) {
            Box trak;
            while (walk.Next(box.end, trak)) {
                if (IsType(trak, "trak")) {
                    Box child;
                    while (walk.Next(trak.end, child)) {
                        if (IsType(child, "tkhd")) {
                            PixelSize track;
                            if (!ReadTrackHeader(walk, child, track)) return -1;
                            if (track.width > 0 && track.height > 0) {
                                size = track;
                                return 0;
                            }
                        }
                        if (!walk.SkipTo(child.end)) return -1;
                    }
                }
                if (!walk.SkipTo(trak.end)) return -1;
            }
            return -1;  // the movie's boxes hold no picture track
        }
        if (!walk.SkipTo(box.end)) return -1;
    }
    return -1;
}

}  // namespace

int ParseMp4Size(std::string_view bytes, PixelSize& size) {
    MemorySource src{bytes};
    return WalkMp4(src, bytes.size(), size);
}

int ReadMp4Size(std::string_view path, PixelSize& size) {
    size = {};
    return WalkFile(path, [&](FileSource& src, uint64_t end) { return WalkMp4(src, end, size); });
}

}  // namespace mirulane
