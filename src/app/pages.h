#pragma once
// What the front ends show and choose of the pages: the templates and presets, the tokens of
// the replacement strings, the output folders of an album and the top page's file.

#include "html/output_folders.h"
#include "html/presets.h"
#include "html/templates.h"
#include "html/tokens.h"
#include "html/top_page.h"
