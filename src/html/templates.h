#pragma once
// Obtaining page templates: the album's choice between a preset and a template file, loading
// a template file, and exporting a preset into a file the user can edit.

#include <string>
#include <string_view>

#include "album/page_style.h"
#include "platform/expected.h"

namespace mirulane {

struct PageStyle;

// Template texts are at most this many bytes; longer template files are cut.
inline constexpr size_t kTemplateMaxBytes = 32767;

// Reads a template file as raw bytes (no decoding, no line-end conversion), at most
// kTemplateMaxBytes, cut even inside a two-byte character. TemplateNotOpened when the file
// cannot be opened; TemplateEmpty when no byte could be read (an empty file, errno 0, or a
// read error).
Expected<std::string> LoadTemplateFile(std::string_view path);

// True when TopStyle puts the list frame in a column (0, 1), so the list preset's vertical
// variant is used; 2 and 3 (a row) use the horizontal variant. Other values count as vertical.
bool ListLayoutIsVertical(TopLayout layout);

// The album's list template: preset ListPreset in the variant for TopStyle when ListUseFile is
// 0, else the file ListTemplateFile (or the problem of LoadTemplateFile).
Expected<std::string> LoadListTemplate(const PageStyle& style);
// The album's detail template: preset DetailPreset when DetailUseFile is 0, else the file
// DetailTemplateFile.
Expected<std::string> LoadDetailTemplate(const PageStyle& style);

enum class PresetKind { Detail, List };

// The proposed file name of an exported preset: "template%d.html" for a detail preset,
// "lsttmplt%d%s.html" for a list preset, with index + 1 and "v" or "h" from TopStyle.
std::string ExportFileName(PresetKind kind, int index, TopLayout layout);

// Writes a preset into a file in text mode (each LF becomes CR LF, so the file matches one
// written on Windows); the file is replaced as a whole or not at all. PresetNotWritten, with
// the step that failed (creating the file or putting it in place, or storing its bytes: disk
// full, I/O error).
Status ExportPreset(PresetKind kind, int index, bool horizontal, std::string_view path);

}  // namespace mirulane
