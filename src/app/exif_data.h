#pragma once
// What the command line shows of a picture's Exif data: the reader, the catalogue of tags, the
// camera fields an entry takes and their capture.

#include "exif/camera_fields.h"
#include "exif/entry_capture.h"
#include "exif/exif_catalogue.h"
#include "exif/exif_reader.h"
