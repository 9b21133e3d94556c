#include "exif/exif_table.h"

#include "platform/cp932.h"

namespace mirulane {

ExifTable::ExifTable(const ExifItemDef* defs, size_t count) {
    items_.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        ExifItem item;
        item.tag = defs[i].tag;
        item.shown = defs[i].shown;
        if (defs[i].nameUtf8 && *defs[i].nameUtf8) item.name = Sj(defs[i].nameUtf8);
        item.formatter = defs[i].formatter;
        items_.push_back(std::move(item));
    }
}

void ExifTable::Clear() {
    for (auto& item : items_) {
        item.value.clear();
        item.display.clear();
    }
}

ExifItem* ExifTable::Slot(uint16_t tag) {
    for (auto& item : items_) {
        if (item.tag == tag) return &item;
    }
    return nullptr;
}

void ExifTable::Store(ExifItem& item, std::string_view valueText) {
    // Cut on a character boundary so that a value never ends in half a two-byte character.
    item.value.assign(CutAtCharBoundary(valueText, kExifTextMax));
    if (item.formatter && !item.value.empty()) {
        std::string shown = item.formatter(item.value);
        item.display.assign(CutAtCharBoundary(shown, kExifTextMax));
    } else {
        item.display.clear();
    }
}

const ExifItem* Find(const ExifTable& table, uint16_t tag) {
    for (const auto& item : table.Items()) {
        if (item.tag == tag && !item.value.empty()) return &item;
    }
    return nullptr;
}

}  // namespace mirulane
