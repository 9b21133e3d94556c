// The size of a WebM movie, from the video settings of its first video track. The file is a
// tree of elements, each an ID and a size written as variable-length integers (the length in
// the leading zero bits of the first byte); the walk reads element headers and the two numbers
// it needs and skips everything else unread, so a movie of gigabytes costs a few small reads.

#include <cstdint>

#include "album/byte_source.h"
#include "album/media.h"

namespace mirulane {
namespace {

// More elements than any recorder writes before its tracks; a file made of millions of empty
// elements stops here instead of being walked to its end.
constexpr int kMaxElements = 4096;

constexpr uint32_t kHeader = 0x1A45DFA3;
constexpr uint32_t kSegment = 0x18538067;
constexpr uint32_t kTracks = 0x1654AE6B;
constexpr uint32_t kCluster = 0x1F43B675;
constexpr uint32_t kTrackEntry = 0xAE;
constexpr uint32_t kVideo = 0xE0;
constexpr uint32_t kPixelWidth = 0xB0;
constexpr uint32_t kPixelHeight = 0xBA;

struct Element {
    uint32_t id;
    uint64_t end;  // where the element ends, never past its parent's end
};

// The length of a variable-length integer from its first byte: 1 + its leading zero bits,
// 0 when there are more than `most`.
int LengthOf(unsigned char first, int most) {
    for (int n = 1; n <= most; ++n) {
        if (first & (0x80 >> (n - 1))) return n;
    }
    return 0;
}

template <typename Source>
class ElementWalk : public Cursor<Source> {
  public:
    using Cursor<Source>::Cursor;
    using Cursor<Source>::Pos;
    using Cursor<Source>::Read;

    // The next element before `end` (the parent's end); false at the end, on an element that
    // does not fit its parent, a short read or after kMaxElements elements. An element of
    // unknown size (a live recording's segment or cluster) runs to its parent's end.
    bool Next(uint64_t end, Element& e) {
        if (Pos() >= end || ++visited_ > kMaxElements) return false;
        unsigned char b = 0;
        if (!Read(&b, 1)) return false;
        const int idLength = LengthOf(b, 4);
        if (idLength == 0) return false;
        e.id = b;
        for (int i = 1; i < idLength; ++i) {
            if (!Read(&b, 1)) return false;
            e.id = (e.id << 8) | b;
        }
        if (!Read(&b, 1)) return false;
        const int sizeLength = LengthOf(b, 8);
        if (sizeLength == 0) return false;
        const unsigned char mask = static_cast<unsigned char>(0xFF >> sizeLength);
        uint64_t size = b & mask;
        bool unknown = size == mask;
        for (int i = 1; i < sizeLength; ++i) {
            if (!Read(&b, 1)) return false;
            size = (size << 8) | b;
            unknown = unknown && b == 0xFF;
        }
        if (Pos() > end) return false;
        if (unknown) {
            e.end = end;
        } else {
            if (size > end - Pos()) return false;
            e.end = Pos() + size;
        }
        return true;
    }

    // An unsigned number of 1 to 8 bytes filling the element.
    bool ReadNumber(const Element& e, uint64_t& value) {
        const uint64_t length = e.end - Pos();
        if (length < 1 || length > 8) return false;
        unsigned char b[8];
        if (!Read(b, static_cast<size_t>(length))) return false;
        value = 0;
        for (uint64_t i = 0; i < length; ++i) value = (value << 8) | b[i];
        return true;
    }

  private:
    int visited_ = 0;
};

// The width and height a track entry's video settings give; false without both.
template <typename Source>
bool ReadVideo(ElementWalk<Source>& walk, const Element& video, PixelSize& size) {
    uint64_t width = 0;
    uint64_t height = 0;
    Element e;
    while (walk.Next(video.end, e)) {
        if (e.id == kPixelWidth && !walk.ReadNumber(e, width)) return false;
        if (e.id == kPixelHeight && !walk.ReadNumber(e, height)) return false;
        if (!walk.SkipTo(e.end)) return false;
    }
    if (width < 1 || height < 1 || width > UINT32_MAX || height > UINT32_MAX) return false;
    size.width = static_cast<uint32_t>(width);
    size.height = static_cast<uint32_t>(height);
    size.orientation = 1;
    return true;
}

// Walks header, then segment > tracks > track entry > video; the first video settings with a
// width and height win. The pictures' data (clusters) come after the tracks in every file a
// recorder writes: a cluster first ends the walk.
template <typename Source>
int WalkWebm(Source& src, uint64_t dataEnd, PixelSize& size) {
    size = {};
    ElementWalk<Source> walk(src, dataEnd);
    Element top;
    if (!walk.Next(dataEnd, top) || top.id != kHeader || !walk.SkipTo(top.end)) return -1;
    while (walk.Next(dataEnd, top)) {
        if (top.id != kSegment) {
            if (!walk.SkipTo(top.end)) return -1;
            continue;
        }
        Element part;
        while (walk.Next(top.end, part) && part.id != kCluster) {
            if (part.id == kTracks) {
                Element entry;
                while (walk.Next(part.end, entry)) {
                    Element field;
                    while (entry.id == kTrackEntry && walk.Next(entry.end, field)) {
                        if (field.id == kVideo && ReadVideo(walk, field, size)) return 0;
                        if (!walk.SkipTo(field.end)) return -1;
                    }
                    if (!walk.SkipTo(entry.end)) return -1;
                }
                return -1;  // the tracks hold no picture
            }
            if (!walk.SkipTo(part.end)) return -1;
        }
        return -1;
    }
    return -1;
}

}  // namespace

int ParseWebmSize(std::string_view bytes, PixelSize& size) {
    MemorySource src{bytes};
    return WalkWebm(src, bytes.size(), size);
}

int ReadWebmSize(std::string_view path, PixelSize& size) {
    size = {};
    const int read =
        WalkFile(path, [&](FileSource& src, uint64_t end) { return WalkWebm(src, end, size); });
    if (read == -1 && CheckExists(path) == 0) {
        // A clip whose size is not found is still the movie the entry names: found, 0 x 0.
        size = {};
        return 0;
    }
    return read;
}

}  // namespace mirulane
