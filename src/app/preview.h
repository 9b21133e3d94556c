#pragma once
// The preview pane's work without the window: which file shows an entry's picture, the image
// page around it, and the detail or list page of the album rendered into the preview file.
// The window asks Update what to show and shows it.

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "album/media.h"
#include "app/session.h"
#include "exif/exif_table.h"
#include "html/image_page.h"
#include "platform/problem.h"

namespace mirulane {

// The picture an image page shows: a file found (its path and size; a movie whose size is
// not read is found with 0 × 0) or, when none is found, the entry's file name alone, 0 × 0.
struct ChosenImage {
    std::string path;
    PixelSize size;
};

// Looks for the entry's picture by EnvDispImage: 0 in the target folder, 1 in ImageFolder,
// 2 in the target folder and then in ImageFolder, 3 in ThumbFolder; the entry's own
// extension is tried first, then every extension of the locator.
ChosenImage ChooseImage(const PageStyle& style, int dispImage, std::string_view fileName,
                        ImageLocator& locator);

// "1,234,567": the decimal digits with a comma before every group of three from the right.
std::string GroupedDigits(uint64_t value);

// What the pane does after an update.
struct PreviewShow {
    // False: the pane keeps what it shows (a failure was reported, or there was nothing to do).
    bool navigate = false;
    std::string path;     // the file to show (CP932); empty: a blank page
    bool notice = false;  // show the page-preview notice now (it is not shown again)
    // A movie's card shown without its poster: the window has the poster made off its thread
    // (MakePreviewPoster of posterMovie into posterFile), tells PosterMade, and updates again.
    std::string posterMovie;
    std::string posterFile;
};

// Makes the poster a movie's card shows (CP932 paths); false when the clip gives none, or when
// `stop` is set. Touches nothing but the two files: it runs on a thread of its own.
bool MakePreviewPoster(const std::string& moviePath, const std::string& posterFile,
                       const std::atomic<bool>* stop);

class Preview {
  public:
    // previewFile: the temporary page file of this run (CP932 path).
    Preview(Session& session, std::string previewFile);

    // An entry was picked (hint = its index) or none (hint < 0, the pane is blanked and the
    // current entry kept). The current entry becomes hint. By EnvPreView: 0 writes the image
    // page of the entry into the preview file (an htm or html entry is shown itself), 1 its
    // detail page, 2 the list page, both with links to the album's folders as they are.
    PreviewShow Update(int hint, const PaneGeometry& pane);

    const std::string& File() const { return file_; }

    // A poster asked for by an update is made (ok) or cannot be had: the movie's card shows it
    // from now on, or goes on without one.
    void PosterMade(const std::string& moviePath, const std::string& posterFile, bool ok);

  private:
    PreviewShow ShowImage(const std::string& folder, const std::string& name,
                          const PaneGeometry& pane);
    PreviewShow ShowPage(int index, bool list);
    // The poster a movie's card shows: a path, or empty when there is none (yet: then `show`
    // asks for it).
    std::string PosterFor(const std::string& moviePath, const std::string& name, PreviewShow& show);
    // Writes the preview file; false after telling `failure` (with the errno and the step).
    bool WritePreviewFile(std::string_view text, ProblemKind failure);

    Session& s_;
    std::string file_;
    ExifTable table_;
    // The posters made for the pane, by movie path; an empty path for a clip that gave none.
    std::map<std::string, std::string> posters_;
    int postersAsked_ = 0;  // numbers each poster file
};

}  // namespace mirulane
