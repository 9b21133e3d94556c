#pragma once
// One open album: its entries with their selection and focus, the group-name list, the
// modified flag, the current album file name, the page-style options and the entry the preview
// shows. Front ends own one (inside the session) and pass it down.

#include <string>
#include <vector>

#include "album/entry_list.h"
#include "album/page_style.h"
#include "platform/file_stamp.h"

namespace mirulane {

inline constexpr int kGroupCapacity = 128;
inline constexpr int kGroupCollectLimit = 127;  // reading a file stops adding at this count
inline constexpr size_t kGroupNameMax = 127;    // bytes

struct Album {
    EntryList entries;
    std::vector<std::string> groups;
    bool modified = false;
    std::string fileName;  // CP932 path, or NewFileName() while never saved
    PageStyle style;
    int currentEntry = -1;  // the entry the preview shows
    int sortColumn = -1;    // remembered sort column, -1 none
    bool sortDescending = false;
    // The album list file as this album last read or wrote it (stampPath empty: none). A save
    // over that path first compares the file on disk with it, so that an edit someone made
    // there meanwhile is never replaced unasked.
    std::string stampPath;
    FileStamp stamp;

    Album();

    // The literal "新規" in CP932.
    static const std::string& NewFileName();

    // Adds a group name (cut to 127 bytes on a character boundary) unless it is empty,
    // already present, or the list already holds limit names. True when added.
    bool AddGroup(std::string_view name, size_t limit = kGroupCollectLimit);
};

}  // namespace mirulane
