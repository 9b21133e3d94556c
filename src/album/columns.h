#pragma once
// The seventeen fields of an entry, in their fixed order.

namespace mirulane {

enum Column : int {
    COL_FILE = 0,
    COL_TITLE,
    COL_YOMI,
    COL_GROUP,
    COL_KIND,
    COL_COMM1,
    COL_COMM2,
    COL_MAKER,
    COL_MODEL,
    COL_DTORG,
    COL_ISOSR,
    COL_SHTSP,
    COL_APRTV,
    COL_FOLEN,
    COL_FLASH,
    COL_EBIAS,
    COL_IMGSZ,
};

inline constexpr int kColumnCount = 17;

// Header captions (UTF-8 in source; CaptionOf gives CP932) and initial widths.
const char* ColumnCaptionUtf8(int column);
int ColumnWidth(int column);

}  // namespace mirulane
