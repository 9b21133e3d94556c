#pragma once
// What went wrong, as data: a kind and the details its message needs (the file, the errno, the
// step of a write that failed, a count, the names concerned). The layers below app/ return
// problems instead of showing them; app/ decides which to tell and words every one of them in
// one place (app/problem_text).

#include <string>
#include <utility>
#include <vector>

#include "platform/fs.h"

namespace mirulane {

// The fields each kind uses are named after it; the others stay empty.
enum class ProblemKind {
    // The album list file.
    AlbumNotOpened,  // path, error: the file cannot be read
    NotAnAlbumList,  // path
    AlbumNotSaved,   // path, error, stage
    NamesRefused,    // count: lines whose file name could not become an entry
    // Templates and presets.
    TemplateNotOpened,       // path, error
    TemplateEmpty,           // path, error (0: the file is empty)
    TemplateMarkersMissing,  // a list template without its repeat markers
    PresetNotWritten,        // path, error, stage
    // The pages of a generation run.
    TargetFolderUnset,      // the album names no target folder
    PageFoldersUnset,       // the album names no folder for one of its pages
    OutputIsPicture,        // path: a generated file would take the place of an album picture
    TopFolderNotMade,       // path
    TopPageNotWritten,      // path, error, stage
    TopStyleUnknown,        // index.html was written empty
    AutorunNotWritten,      // path, error, stage
    ListFolderNotMade,      // path
    ListPageNotWritten,     // path, error, stage
    ListPageTooLarge,       // path, count: the largest page in MB
    DetailFolderNotMade,    // path
    DetailPageNotWritten,   // path, error, stage, name: the entry's base name
    DetailPageTooLarge,     // path, count: the largest page in MB
    EntryNameLeavesFolder,  // name: the entry's file name
    EntriesWithoutPages,    // items: (file name, 1-based place) of each entry passed over
    RecordNotSaved,         // path (the manifest), error
    // The preview file.
    PreviewNotWritten,      // path, error, stage: a detail page
    PreviewListNotWritten,  // path, error, stage: the list page
    PreviewTooLarge,        // path
    // The folder scan.
    FolderUnreadable,  // path: the folder to scan (with its separator)
    NamesNotScanned,   // counts: not in CP932, with a backslash, with a line break or TAB
    FilteredOut,       // items: (extension, how many files) the filter left out
    // Thumbnails.
    ThumbFolderNotMade,  // path
    ThumbFolderIsTarget,
    ThumbnailNotWritten,  // path, error, stage
    // Playable copies of movies.
    MovieFolderNotMade,   // path
    MovieFolderIsTarget,  // path: the movie folder is where the photos are
    // items: (file name, why) of each movie without a copy; why is a ThumbnailProblem, or
    // kCopyNotWritten when the copy's file could not be written.
    MovieCopiesNotMade,
    // The recent albums of the desktop program.
    RecentAlbumGone,  // path: a recent album list file that is no longer there
};

inline constexpr int kCopyNotWritten = 1000;

struct Problem {
    ProblemKind kind{};
    std::string path{};  // CP932: the file or folder concerned
    int error = 0;       // errno
    WriteStage stage = WriteStage::None;
    std::string name{};  // CP932
    int count = 0;
    std::vector<int> counts{};                         // a breakdown of count
    std::vector<std::pair<std::string, int>> items{};  // CP932 names with a number each
    std::vector<std::string> files{};  // names as the file system spells them, told one a line
};

}  // namespace mirulane
