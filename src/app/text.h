#pragma once
// What the front ends use of the core's text: CP932 to and from UTF-8 (Sj, ToDisplay,
// Utf8ToCp932, Cp932ToUtf8), file names fit to show (ShownName), cutting at a character boundary,
// parsing and formatting. The front ends reach the layers below app only through headers like this
// one.

#include "platform/cp932.h"
#include "platform/shown_name.h"
#include "platform/text.h"
