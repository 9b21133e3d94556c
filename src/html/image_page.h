#pragma once
// The preview's image page: a small page around one picture or movie, sized to the preview
// pane (or a given box), optionally followed by the file's date, size and Exif lines.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "html/image_sizing.h"

namespace mirulane {

struct Settings;

// What the page shows. Texts are CP932.
struct ImagePage {
    std::string imagePath;  // the picture or movie as found, or the entry's name when none was
    uint32_t width = 0;     // 0 × 0: the size is unknown (nothing found, or a movie without one)
    uint32_t height = 0;
    bool video = false;        // a movie: shown as a card with its name and size
    std::string posterPath;    // a movie's poster (CP932 path), shown on its card; may be empty
    uint32_t posterWidth = 0;  // the poster's size; 0 × 0 when it is not known
    uint32_t posterHeight = 0;
    std::string dateText;  // empty when the file's status cannot be read
    std::string sizeText;
    // (display name, text) of each shown Exif item; nullopt when the file has no Exif data.
    std::optional<std::vector<std::pair<std::string, std::string>>> exif;
};

// The preview pane's window size and the width of its vertical scroll bar, in pixels.
struct PaneGeometry {
    int width = 0;
    int height = 0;
    int scrollBarWidth = 0;
};

// The display size of a width × height picture (both at least 1) by EnvDispSize: 1 fits the
// pane less its margins and scroll bar, 2 fits EnvDispMaxW × EnvDispMaxH (small pictures are
// enlarged; a box side of 0 or less makes the picture 0 × 0), anything else is the original
// size.
ShownSize ImageDisplaySize(uint32_t width, uint32_t height, const PaneGeometry& pane,
                           const Settings& settings);

// The page text (LF line ends; the writer makes them CR LF). Names and paths are escaped for
// the page; the Exif lines are camera data.
std::string ImagePageText(const ImagePage& page, const PaneGeometry& pane,
                          const Settings& settings);

}  // namespace mirulane
