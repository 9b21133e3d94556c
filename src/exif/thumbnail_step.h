#pragma once
// The thumbnail step: writes the JPEG preview a camera stores in IFD1 to a file, byte for
// byte. The Exif reader runs it in thumbnail mode with the segment it has just parsed.

#include <string_view>

#include "exif/exif_table.h"
#include "platform/fs.h"
#include "platform/interaction.h"
#include "platform/output_manifest.h"

namespace mirulane {

// Where thumbnail mode writes, and the run state it shares with the other entries of a run.
struct ThumbnailOutput {
    Interaction& ui;
    bool& overwriteAll;         // set: existing files are replaced without asking
    bool& cancelled;            // set when the user cancels the overwrite confirmation
    std::string_view folder;    // CP932; a separator is added unless it ends in one
    std::string_view fileName;  // CP932
    // Files never replaced by a thumbnail: the album's pictures (a hard link to one in the
    // output folder, say).
    const FileIdSet* keep = nullptr;
    // The run's output ledger: a file that already holds the thumbnail is left alone, one that
    // holds what the program wrote is replaced without a question, and what is written is
    // recorded. Without one (a step on its own) such a file is still left alone, but nothing
    // is recorded.
    OutputLedger* outputs = nullptr;
    bool writeFailed = false;  // out: the file could not be written, or was refused
};

// Statuses of the step.
inline constexpr int kThumbWritten = 0;   // written, or the file already holds the thumbnail
inline constexpr int kThumbDeclined = 1;  // the user answered "no"
inline constexpr int kThumbNoCompression = -1;
inline constexpr int kThumbNotJpeg = -2;   // Compression is not 6
inline constexpr int kThumbNoOffset = -3;  // no start, or a start outside the segment
inline constexpr int kThumbNoLength = -4;  // no length, 0, or one reaching past the segment
inline constexpr int kThumbNoFileName = -5;
inline constexpr int kThumbCannotCreate = -6;
inline constexpr int kThumbWriteFailed = -7;
inline constexpr int kThumbRefused = -8;  // the output file is one of `keep`: left alone
inline constexpr int kThumbCancelled = -9;

// table: a thumbnail table filled from the segment; tiff: the segment from the TIFF header to
// its end (the thumbnail's offset is counted from its first byte).
int ThumbnailStep(const ExifTable& table, std::string_view tiff, ThumbnailOutput& out);

}  // namespace mirulane
