#pragma once
// A small album on disk for the page-writer tests: a target folder with its default output
// folders (index.html in the target folder, pages in html/, thumbnails in thumb/), a session
// with a scripted interaction, and helpers to add entries and files.

#include <string>
#include <string_view>

#include "app/session.h"
#include "fixtures/image_builder.h"
#include "html/locations.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/scripted_interaction.h"

namespace mirulane::testing {

// LF -> CR LF, for expected page texts written in the tests with LF.
inline std::string Crlf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

struct PageAlbum {
    fixtures::TempDir dir;
    ScriptedInteraction ui;
    Session session{ui};
    std::string target;  // the target folder (the temporary folder itself)

    PageAlbum() : target(dir.path()) {
        SetDefaultFolders(session.album.style, target, session.settings);
    }

    PageStyle& style() { return session.album.style; }

    // Adds an entry with a title (and optionally comments) and returns its index.
    int Add(std::string_view file, std::string_view titleUtf8 = "", std::string_view comm1Utf8 = "",
            std::string_view comm2Utf8 = "") {
        EntryList& list = session.album.entries;
        int i = list.Append(file);
        list.SetField(i, COL_TITLE, Sj(titleUtf8));
        list.SetField(i, COL_COMM1, Sj(comm1Utf8));
        list.SetField(i, COL_COMM2, Sj(comm2Utf8));
        return i;
    }

    // Writes a file relative to the target folder ("P1.JPG", "thumb/P1.jpg").
    void Put(std::string_view name, std::string_view bytes) const { dir.Write(name, bytes); }
    std::string Get(std::string_view name) const { return dir.Read(name); }
    bool Exists(std::string_view name) const;
    std::string Path(std::string_view name) const { return target + "/" + std::string(name); }
};

inline bool PageAlbum::Exists(std::string_view name) const { return FileExists(Path(name)); }

}  // namespace mirulane::testing
