#pragma once
// Texts that come from the files themselves, written into pages: names from the file system
// and camera data are escaped, so whatever characters they hold they show as they are and
// cannot become markup; paths are written so that a browser follows a link to the very file.
// The texts the user typed (titles, comments, link texts) go in as typed: they may hold markup
// on purpose.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mirulane {

// The text with &, <, >, " and ' written as character references, for element text and
// attribute values alike. Stops before a character whose written form would take the result
// beyond maxBytes, so a cut never falls inside a reference or a two-byte character.
std::string EscapeHtml(std::string_view text, size_t maxBytes = SIZE_MAX);

// Camera data: escaped as EscapeHtml does, except "<br>", which stands for a line break in
// these texts (the album list file writes one for each) and stays a line break.
std::string EscapeCameraText(std::string_view text, size_t maxBytes = SIZE_MAX);

// A text the system filled in from a name on disk (a new entry's title and reading start as
// its file name without the extension, the top page's title as the target folder's name): while
// it is still exactly that name it is escaped like one; once the user has changed it, it is
// theirs and goes in as typed, markup included.
std::string FilledOrTypedText(std::string_view text, std::string_view filledFrom,
                              size_t maxBytes = SIZE_MAX);

// A path ('/' between folders, then a file name) as the value of an href or src attribute.
// ASCII bytes that would end the attribute, start a fragment or a query, be read as a scheme
// or be changed by the browser are percent-encoded, '&' becomes "&amp;", and a '\' (a
// separator, as everywhere in the core's paths) becomes '/'. Two-byte characters and the
// other bytes stay as they are: the page is Shift-JIS, the browser reads them as the
// characters they are and asks for the file by those characters, which is how the file system
// names it (percent-encoding the Shift-JIS bytes would ask for other bytes than the file's
// name). Stops before a character whose written form would pass maxBytes.
std::string LinkPath(std::string_view path, size_t maxBytes = SIZE_MAX);

}  // namespace mirulane
