#pragma once
// The page creation options on the command line: the choices the desktop app's page creation
// options dialog makes (layout, presets, template files, title, picture sizes), taken by
// album, generate and options, and stored in the album list file as the dialog stores them.

#include <span>
#include <string>
#include <vector>

#include "cli/args.h"

namespace mirulane {
struct PageStyle;
}

namespace mirulane::cli {

struct Context;

std::span<const OptionSpec> PageOptionSpecs();

// True when args hold at least one page creation option.
bool HasPageOptions(const Args& args);

// Puts the page creation options of args into style. 0 done (also when none was given);
// 1 a template file cannot be read (the template loader's message shown); 2 a value is not
// valid (usage message shown). Unless 0, style is unchanged.
int ApplyPageOptions(const Context& ctx, const Args& args, PageStyle& style);

// album --thumbs: the thumbnails copied are meant to be seen. A list page that shows none (the
// text-only preset, the default) becomes the thumbnail list preset, with a list frame that
// fits it, unless the list page was chosen on this command line.
void ChooseThumbnailList(const Args& args, PageStyle& style);

// The album's choices, one line each in words (UTF-8), each naming the option that changes it.
std::vector<std::string> DescribePageOptions(const PageStyle& style);

// The preset catalogues, "  N name" a line (UTF-8), for the help of the commands that take
// page creation options.
std::vector<std::string> PresetCatalogueLines();

}  // namespace mirulane::cli
