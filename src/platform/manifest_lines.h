#pragma once
// The lines of an output folder's manifest and of its journal: one layout, written and read
// here only.
//
// Version 2 (written):  "mirulane-manifest 2\n", then per file
//   HASH \t SIZE \t MTIME \t KIND \t SOURCE \t NAME \n
// HASH: 16 hex digits; SIZE and MTIME (nanoseconds): decimal, or "-" when not known; KIND: p
// (page), t (thumbnail), ? (not known); SOURCE: "-", or SIZE,MTIME,WIDTHxHEIGHT of the picture
// a thumbnail was made from. The journal holds such lines without a header, and also
// "-\t-\t-\tx\t-\tNAME\n": the file was removed, its record forgotten.
// Version 1 (still read): "mirulane-manifest 1\n", then "HASH \t NAME \n" per file.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "platform/output_manifest.h"

namespace mirulane::manifest {

inline constexpr std::string_view kHeader = "mirulane-manifest 2\n";

struct Record {
    uint64_t hash = 0;
    bool hasStat = false;  // size and mtimeNs are those of the file as written
    uint64_t size = 0;
    int64_t mtimeNs = 0;
    OutputKind kind = OutputKind::Unrecorded;
    bool hasSource = false;
    SourceStamp source;
    bool operator==(const Record&) const = default;
};

// A name a line can hold: one line, one field after the last tab. Generated names never hold
// these bytes; a name from an album file might, and must not be able to make a line of its
// own.
bool RecordableName(std::string_view name);

std::string RecordLine(std::string_view name, const Record& record);
std::string ForgetLine(std::string_view name);

// False when the file is not a whole manifest of a known version: `records` is then empty,
// and a run asks about every file it finds (the safe way to be wrong).
bool LoadManifest(const std::string& path, std::map<std::string, Record>& records);

// Applies the journal's lines in order to `records`. A line that cannot be read (the last
// one cut short by a kill) is passed over. True when there was a journal with any line.
bool LoadJournal(const std::string& path, std::map<std::string, Record>& records);

}  // namespace mirulane::manifest
