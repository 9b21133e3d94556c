#pragma once
// Writing one generated file: the overwrite confirmation before an existing file is replaced,
// and the text-mode write itself (each LF as CR LF, the file replaced as a whole or not at
// all, every failure reported).

#include <string_view>

#include "platform/fs.h"

namespace mirulane {

class EntryList;
struct Session;

enum class ReplaceDecision {
    Write,   // the file is absent, overwrite-all is on, or the user agreed
    Skip,    // the user answered "no": keep the existing file, go on
    Cancel,  // the user cancelled: the run ends
};

// Asks before replacing an existing file unless the session's overwrite-all flag is on.
// "すべて上書き" turns the flag on for the rest of the run.
ReplaceDecision ConfirmReplace(Session& session, std::string_view path);

// The outcome of writing a page: 0 or the errno of the failure, and the step that failed as
// the platform layer saw it. The page writers report a failure to create the file (or to put
// it in place) and a failure to store its bytes with different messages.
struct PageWrite {
    int error = 0;
    WriteStage stage = WriteStage::None;
};

// Writes a page in text mode: each LF becomes CR LF on disk. The page appears under its name
// only when complete, a symbolic link in its place is replaced rather than written through,
// and a file that is one of the session's pictures is kept: the write is then refused with
// its own message (stage Refused), the caller shows nothing more.
PageWrite WriteTextFile(Session& session, std::string_view path, std::string_view text);

// The pictures and movies among the entries, as files in the target folder, by identity (see
// Session::pictures).
FileIdSet AlbumPictures(const EntryList& entries, std::string_view targetFolder);

}  // namespace mirulane
