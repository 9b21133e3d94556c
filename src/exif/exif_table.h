#pragma once
// The Exif item table: a fixed, ordered list of the tags one user of the reader wants, each
// holding the value text of its last read and the display text its formatter made of it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mirulane {

// Turns a value text into a display text (CP932, at most kExifTextMax bytes).
using ExifFormatter = std::string (*)(std::string_view valueText);

// Value and display texts never hold more than this many bytes.
inline constexpr size_t kExifTextMax = 127;

// The constant part of an item, as the catalogue lists it.
struct ExifItemDef {
    uint16_t tag;
    bool shown;
    const char* nameUtf8;  // display name in UTF-8 source form
    ExifFormatter formatter;
};

struct ExifItem {
    uint16_t tag = 0;
    bool shown = false;
    std::string value;    // CP932, empty when the tag was not found
    std::string display;  // CP932, empty without a formatter or result
    std::string name;     // CP932 display name
    ExifFormatter formatter = nullptr;
};

class ExifTable {
  public:
    ExifTable() = default;
    // Builds the items from catalogue rows; display names are converted to CP932 once here.
    template <size_t N>
    explicit ExifTable(const ExifItemDef (&defs)[N]) : ExifTable(defs, N) {}
    ExifTable(const ExifItemDef* defs, size_t count);

    const std::vector<ExifItem>& Items() const { return items_; }
    size_t Size() const { return items_.size(); }

    // Clears the value and display texts of every item.
    void Clear();

    // The first item with this tag whether or not it holds a value (the reader stores into it),
    // or nullptr when the table does not list the tag.
    ExifItem* Slot(uint16_t tag);

    // Stores a value text read from a file: cut to kExifTextMax bytes, then formatted.
    void Store(ExifItem& item, std::string_view valueText);

  private:
    std::vector<ExifItem> items_;
};

// Find: the first item with this tag whose value text is not empty, or nullptr. An item whose
// value text is empty counts as absent.
const ExifItem* Find(const ExifTable& table, uint16_t tag);

}  // namespace mirulane
