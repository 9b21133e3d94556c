#pragma once
// The formatters that turn Exif value texts into the texts a user sees, and the number
// readings they share. Results are CP932 texts.

#include <cstdint>
#include <string>
#include <string_view>

namespace mirulane {

// A value text read as a decimal integer: optional blanks and sign, digits up to the first
// non-digit, 0 without digits. Saturates instead of overflowing.
int64_t ExifInteger(std::string_view text);

// Ratio of a value text: numerator before the first '/', denominator after it, each read as
// ExifInteger; single precision; 0 when there is no '/' or the denominator is 0.
float ExifRatio(std::string_view text);

// Printed with "%.1f", read back, printed with "%g": 72.0 -> 72, 3443.72 -> 3443.7.
std::string OneDecimal(double value);

std::string FormatResolution(std::string_view value);
std::string FormatResolutionUnit(std::string_view value);
std::string FormatExposureTime(std::string_view value);
std::string FormatFNumber(std::string_view value);
std::string FormatExposureProgram(std::string_view value);
std::string FormatShutterSpeed(std::string_view value);
std::string FormatAperture(std::string_view value);
std::string FormatFocalLength(std::string_view value);
std::string FormatBiasZeroAsWord(std::string_view value);
std::string FormatBiasZeroAsBlank(std::string_view value);
std::string FormatMeteringMode(std::string_view value);
std::string FormatLightSource(std::string_view value);
std::string FormatSensingMethod(std::string_view value);
std::string FormatColorSpace(std::string_view value);
std::string FormatOrientation(std::string_view value);
std::string FormatFlashFired(std::string_view value);
std::string FormatFlashWithMode(std::string_view value);
std::string FormatFlashFull(std::string_view value);

}  // namespace mirulane
