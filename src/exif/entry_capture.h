#pragma once
// Entry capture: fills the camera-data columns (7 to 16) of one entry from its file's Exif
// data, falling back to the file's creation date for the date column when asked to.

#include <string_view>

#include "exif/exif_table.h"

namespace mirulane {

class EntryList;
struct Settings;

// Statuses of a capture.
inline constexpr int kCaptureOk = 0;
inline constexpr int kCaptureNoFileName = -1;  // nothing written
inline constexpr int kCaptureNoExif = -2;      // at most the date column written

// Holds the capture table, so that a scan over thousands of files reuses one table.
class EntryCapture {
  public:
    EntryCapture();

    // folder: the target folder as the album holds it (a separator is added unless it ends in
    // one; empty means the current directory). fileName: the entry's COL_FILE. The options
    // are read at this moment, so entries captured before a change keep their texts.
    int Capture(EntryList& entries, int index, std::string_view folder, std::string_view fileName,
                const Settings& settings);

  private:
    ExifTable table_;
};

}  // namespace mirulane
