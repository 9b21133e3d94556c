#pragma once
// Obtaining page templates: the album's choice between a preset and a template file, loading
// a template file, and exporting a preset into a file the user can edit.

#include <string>
#include <string_view>

#include "album/page_style.h"

namespace mirulane {

class Interaction;
struct PageStyle;

// Template texts are at most this many bytes; longer template files are cut.
inline constexpr size_t kTemplateMaxBytes = 32767;

// Reads a template file as raw bytes (no decoding, no line-end conversion), at most
// kTemplateMaxBytes, cut even inside a two-byte character. 0 on success; -1 after
// "指定されたテンプレートファイルを開けません(errno=%d)\n%s" when the file cannot be opened;
// -2 after "テンプレートファイルから読み込めません(errno=%d)\n%s" when no byte could be read
// (an empty file or a read error).
int LoadTemplateFile(std::string_view path, std::string& out, Interaction& ui);

// True when TopStyle puts the list frame in a column (0, 1), so the list preset's vertical
// variant is used; 2 and 3 (a row) use the horizontal variant. Other values count as vertical.
bool ListLayoutIsVertical(TopLayout layout);

// The album's list template: preset ListPreset in the variant for TopStyle when ListUseFile is
// 0, else the file ListTemplateFile. 0, or the negative code of LoadTemplateFile.
int LoadListTemplate(const PageStyle& style, std::string& out, Interaction& ui);
// The album's detail template: preset DetailPreset when DetailUseFile is 0, else the file
// DetailTemplateFile.
int LoadDetailTemplate(const PageStyle& style, std::string& out, Interaction& ui);

enum class PresetKind { Detail, List };

// The proposed file name of an exported preset: "template%d.html" for a detail preset,
// "lsttmplt%d%s.html" for a list preset, with index + 1 and "v" or "h" from TopStyle.
std::string ExportFileName(PresetKind kind, int index, TopLayout layout);

// Writes a preset into a file in text mode (each LF becomes CR LF, so the file matches one
// written on Windows); the file is replaced as a whole or not at all. 0 on success; -1 after
// "出力ファイルを開けません(errno=%d)\n%s" when the file cannot be created; -2 after
// "ファイル出力エラー(errno=%d)\n%s" when writing it fails (disk full, I/O error).
int ExportPreset(PresetKind kind, int index, bool horizontal, std::string_view path,
                 Interaction& ui);

}  // namespace mirulane
