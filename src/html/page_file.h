#pragma once
// Writing one generated file: the overwrite confirmation before an existing file is replaced,
// and the text-mode write itself (each LF as CR LF, the file replaced as a whole or not at
// all, every failure reported).

#include <string_view>

#include "platform/fs.h"
#include "platform/output_manifest.h"

namespace mirulane {

class EntryList;
struct Session;

// Write: the file is absent, overwrite-all is on, or the user agreed; Skip: the user answered
// "no" (keep the existing file, go on); Cancel: the user cancelled (the run ends).
using ReplaceDecision = OutputDecision;

// Asks before replacing an existing file unless the session's overwrite-all flag is on.
// "すべて上書き" turns the flag on for the rest of the run.
ReplaceDecision ConfirmReplace(Session& session, std::string_view path);

// The outcome of writing a page: written, unchanged, kept or cancelled at the overwrite
// question, or failed with the errno and the step that failed as the platform layer saw it.
// The page writers report a failure to create the file (or to put it in place) and a failure
// to store its bytes with different messages.
using PageWrite = OutputWrite;

// What a page write does with a file already at its path.
enum class PageRole {
    // A file of the album: left alone when it already holds the page, replaced when it still
    // holds what the program wrote there, otherwise the overwrite confirmation decides. What
    // is written is recorded in the session's output ledger.
    AlbumPage,
    // Written beside the album without a question (autorun.inf); otherwise as AlbumPage.
    Companion,
    // A temporary file outside the album: written as it is, recorded nowhere.
    Preview,
};

// Writes a page in text mode: each LF becomes CR LF on disk. The page appears under its name
// only when complete, a symbolic link in its place is replaced rather than written through,
// and a file that is one of the session's pictures is kept: the write is then refused with
// its own message (stage Refused), the caller shows nothing more.
PageWrite WriteTextFile(Session& session, std::string_view path, std::string_view text,
                        PageRole role);

// The pictures and movies among the entries, as files in the target folder, by identity (see
// Session::pictures).
FileIdSet AlbumPictures(const EntryList& entries, std::string_view targetFolder);

}  // namespace mirulane
