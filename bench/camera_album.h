#pragma once
// The album the page-writing benchmarks measure: count camera photos (a 1600 x 1200 JPEG
// header) with a thumbnail each in target/thumb, and entries whose texts are as long as people
// and cameras write them (every field but the title).

#include <fstream>
#include <string>

#include "album/entry_list.h"
#include "fixtures/image_builder.h"
#include "platform/text.h"

namespace mirulane::bench {

inline void FillCameraAlbum(EntryList& entries, const std::string& target, int count) {
    const std::string photo = fixtures::MakeJpeg(1600, 1200, std::string(600, 'e'), 2000);
    const std::string thumb = fixtures::MakeJpeg(160, 120, {}, 400);
    for (int i = 0; i < count; ++i) {
        std::string name = Format("IMG_%05d.JPG", i);
        std::ofstream(target + "/" + name, std::ios::binary) << photo;
        std::ofstream(target + "/thumb/" + Format("IMG_%05d.jpg", i), std::ios::binary) << thumb;
        int e = entries.Append(name);
        entries.SetField(e, COL_COMM1, "A comment that is about as long as people write them.");
        entries.SetField(e, COL_MAKER, "Maker");
        entries.SetField(e, COL_MODEL, "Camera 3000");
        entries.SetField(e, COL_DTORG, "2004/07/01 18:30:00");
        entries.SetField(e, COL_FOLEN, "7.8mm");
        entries.SetField(e, COL_SHTSP, "1/250");
        entries.SetField(e, COL_APRTV, "F4.0");
        entries.SetField(e, COL_ISOSR, "ISO100");
        entries.SetField(e, COL_IMGSZ, "1600x1200");
    }
}

}  // namespace mirulane::bench
