#pragma once
// The camera-data field texts that entry capture writes into an entry's columns 7 to 16,
// composed from a filled capture table under the Exif display options; the date text of a
// time value; and the preview pane's lines of a filled preview table.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exif/exif_table.h"

namespace mirulane {

struct Settings;

struct CameraFields {
    std::string maker;
    std::string model;
    std::string date;  // empty when DateTimeOriginal is absent
    std::string iso;
    std::string shutter;
    std::string aperture;
    std::string focal;
    std::string flash;
    std::string bias;
    std::string imageSize;
};

CameraFields ComposeCameraFields(const ExifTable& capture, const Settings& settings);

// An Exif date "YYYY:MM:DD HH:MM:SS" as "YYYY/MM/DD ..." cut by EnvExifDtorg (1: minutes,
// 2: day, other: whole). Texts shorter than 8 bytes go through unchanged.
std::string ExifDateText(std::string_view value, int dtorg);

// A calendar time in local time, printed by EnvExifDtorg.
std::string DateTextFromTime(int64_t time, int dtorg);

// The preview pane's lines: for each shown item with a value, its display name and either
// "display (value)" or the value alone. CP932 texts.
std::vector<std::pair<std::string, std::string>> PreviewLines(const ExifTable& preview);

}  // namespace mirulane
