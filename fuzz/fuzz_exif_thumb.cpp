// The Exif reader in thumbnail mode over arbitrary file contents. Thumbnails are written into
// a private temporary folder, removed at exit.

#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "exif/exif_catalogue.h"
#include "exif/exif_reader.h"
#include "platform/interaction.h"

namespace {

// Answers every overwrite question in turn with each answer; shows nothing.
class CyclingInteraction : public mirulane::Interaction {
  public:
    mirulane::MsgAnswer Message(std::string_view, std::string_view, mirulane::MsgIcon,
                                mirulane::MsgButtons) override {
        return mirulane::MsgAnswer::Ok;
    }
    mirulane::OverwriteAnswer ConfirmOverwrite(std::string_view) override {
        return static_cast<mirulane::OverwriteAnswer>(next_++ % 4);
    }
    void SetStatus(int, std::string_view) override {}
    void SetWaitCursor(bool) override {}
    void PumpOneEvent() override {}

  private:
    unsigned next_ = 0;
};

struct OutputFolder {
    OutputFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "mrl-fuzz-thumb-XXXXXX").string();
        if (mkdtemp(pattern.data())) path = pattern;
    }
    ~OutputFolder() {
        std::error_code ec;
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
    std::string path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace mirulane;
    static OutputFolder folder;
    static CyclingInteraction ui;
    static ExifTable table = MakeThumbnailTable();
    if (folder.path.empty()) return 0;  // never write anywhere but the temporary folder
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    bool overwriteAll = false;
    bool cancelled = false;
    ThumbnailOutput out{ui, overwriteAll, cancelled, folder.path, "thumb.jpg"};
    ReadExifBytes(bytes, table, &out);
    return 0;
}
