#pragma once
// The editing behind the entry dialogs: the fifteen editable fields and their limits, the
// file-information dialog's walk through the album (save, step, delete, the group box and the
// selection it leaves behind) and the batch edit of the selected entries. The dialogs only
// show these texts and pass the typed ones back.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/session.h"

namespace mirulane {

// One editable field: its column, its label with the access key (UTF-8) and the most CP932
// bytes it takes.
struct EditField {
    int column;
    const char* labelUtf8;
    size_t maxBytes;
};

inline constexpr int kEditFieldCount = 15;
inline constexpr size_t kEditTextMax = 255;  // bytes; the group takes kGroupNameMax

// In column order: title, reading, group, the two comments, then the ten camera-data fields.
extern const std::array<EditField, kEditFieldCount> kEditFields;
inline constexpr int kGroupField = 2;
inline constexpr int kFirstCameraField = 5;
// The two comments take several lines.
inline bool IsCommentField(int field) { return field == 3 || field == 4; }

// The field texts (CP932) of one entry, in the order of kEditFields.
using EditTexts = std::array<std::string, kEditFieldCount>;
// A batch edit: the checked fields have a text (an empty one clears the column).
using BatchTexts = std::array<std::optional<std::string>, kEditFieldCount>;

// A text as the user typed it (UTF-8), in the form an entry stores: CP932, TABs and line
// breaks mended as the album list file mends them, "?" for each character CP932 cannot hold.
struct TypedText {
    std::string cp932;
    int unencodable = 0;  // characters CP932 cannot hold
};
TypedText FromTyped(std::string_view utf8);

enum class TypedEdit { Accepted, TooLong, NotShiftJis };

// Whether an edit that turns `before` into `after` is taken in a field of maxBytes. An edit is
// refused when it brings in a character CP932 cannot hold or makes the stored text longer than
// maxBytes; a text that was already beyond them (read from a file) can still be shortened.
TypedEdit CheckTypedEdit(const TypedText& before, const TypedText& after, size_t maxBytes);

// The box offered for the group field: names sorted without regard to letter case.
std::vector<std::string> SortedGroupBox(std::vector<std::string> names);
// Adds a group name to a sorted box unless it is empty, the box holds a name equal to it
// without regard to letter case, or the box is full (the album keeps kGroupCapacity names).
// Names are cut to kGroupNameMax bytes on a character boundary. True when added.
bool AddToGroupBox(std::vector<std::string>& box, std::string_view name);

// The file-information dialog's walk. It shows one entry at a time (the current index),
// writes the shown texts back on every step, keeps the group box, and leaves the entry it
// shows last selected when it ends, by whichever way it ends.
class FileInfoEdit {
  public:
    // Starts on the first selected entry (0 when none is), with the album's group names in
    // the box.
    explicit FileInfoEdit(Session& s);
    ~FileInfoEdit() { Finish(); }
    FileInfoEdit(const FileInfoEdit&) = delete;
    FileInfoEdit& operator=(const FileInfoEdit&) = delete;

    int Current() const { return current_; }
    const std::vector<std::string>& GroupBox() const { return box_; }
    // Whether the preview follows the entry shown (not while it shows the list page).
    bool PreviewFollows() const;

    // Selects the current entry and returns its texts.
    EditTexts Load();
    // Writes all fifteen texts into the current entry, offers its group in the box and marks
    // the album modified.
    void Save(const EditTexts& shown);
    // Saves, deselects the entry and moves by step (+1 next, -1 previous), wrapping around.
    void Step(const EditTexts& shown, int step);
    // Deletes the current entry without saving it; the entry that followed it (or the new
    // last one) becomes current. False when no entry is left.
    bool DeleteCurrent();
    // Saves and replaces the album's group names with the box.
    void Confirm(const EditTexts& shown);
    // The end, once: the current entry ends selected, without the focus.
    void Finish();

  private:
    Session& s_;
    int current_ = 0;
    std::vector<std::string> box_;
    bool finished_ = false;
};

// Writes the checked texts into every selected entry and marks the album modified. Returns
// how many entries were edited.
int ApplyBatchEdit(Album& album, const BatchTexts& texts);

}  // namespace mirulane
