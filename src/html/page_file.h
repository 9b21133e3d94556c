#pragma once
// Writing one generated file: the overwrite confirmation before an existing file is replaced,
// and the text-mode write itself (each LF as CR LF, the file replaced as a whole or not at
// all, every failure reported).

#include <string_view>

namespace mirulane {

struct Session;

enum class ReplaceDecision {
    Write,   // the file is absent, overwrite-all is on, or the user agreed
    Skip,    // the user answered "no": keep the existing file, go on
    Cancel,  // the user cancelled: the run ends
};

// Asks before replacing an existing file unless the session's overwrite-all flag is on.
// "すべて上書き" turns the flag on for the rest of the run.
ReplaceDecision ConfirmReplace(Session& session, std::string_view path);

// Writes a page in text mode: each LF becomes CR LF on disk. 0 or the errno of the failure.
int WriteTextFile(std::string_view path, std::string_view text);

// True when a failure of WriteTextFile happened while the bytes were being stored (a full
// disk, a quota, an I/O error), false when the file could not be created at all. The page
// writers report the two with different messages.
bool IsWriteFailure(int err);

}  // namespace mirulane
