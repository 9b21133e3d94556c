#!/usr/bin/env bash
# Regenerates the samples from Debian's imagemagick, libimage-exiftool-perl and ffmpeg:
#   apt-get install imagemagick libimage-exiftool-perl ffmpeg
# Each JPEG is a real baseline picture with camera Exif data and an embedded JPEG thumbnail;
# the movie is made with the ffmpeg program (see README).
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name, size, picture, byte order, make, model, date, ISO, exposure, f-number, focal, flash, bias
make_photo() {
    local name=$1 size=$2 picture=$3 order=$4 make=$5 model=$6 date=$7 iso=$8 exposure=$9
    local fnumber=${10} focal=${11} flash=${12} bias=${13}
    "$convert" -size "$size" $picture -quality 80 -strip "$work/$name"
    "$convert" "$work/$name" -thumbnail 160x120 -strip "$work/thumb-$name"
    exiftool -q -overwrite_original -ExifByteOrder="$order" \
        -EXIF:Make="$make" -EXIF:Model="$model" -EXIF:DateTimeOriginal="$date" -EXIF:CreateDate="$date" \
        -EXIF:ISO="$iso" -EXIF:ExposureTime="$exposure" -EXIF:FNumber="$fnumber" -EXIF:FocalLength="$focal" \
        -EXIF:Flash#="$flash" -EXIF:ExposureCompensation="$bias" -EXIF:ExifImageWidth="${size%x*}" \
        -EXIF:ExifImageHeight="${size#*x}" -EXIF:ImageDescription="Mirulane sample" \
        "-ThumbnailImage<=$work/thumb-$name" "$work/$name"
    cp "$work/$name" "$name"
}

make_photo IMG_0001.JPG 640x480 "gradient:#6fa8dc-#f6b26b" II "MIRU" "MIRU DC-200" \
    "2004:05:01 10:20:30" 100 1/60 2.8 7.8 1 +0.7
make_photo IMG_0002.JPG 480x640 "plasma:green-blue -seed 7" MM "KAMERA" "KAMERA Z5" \
    "2004:05:02 14:03:00" 200 1/250 5.6 35 0 0
make_photo IMG_0003.JPG 640x480 "radial-gradient:#ffe599-#38761d" MM "MIRU" "MIRU DC-300" \
    "2004:05:03 18:45:12" 400 1/30 4 12 7 -1
make_photo dsc_0104.jpg 400x300 "plasma:red-yellow -seed 3" II "KAMERA" "KAMERA Z5" \
    "2004:05:04 09:00:00" 80 1/125 8 50 16 +1.3
"$convert" -size 320x240 "gradient:#ffffff-#3d85c6" -strip diagram.png

# A two-second clip as an old camera wrote them: Motion-JPEG at 320 x 240 with 8-bit sound
# in an AVI, which browsers do not play (the album makes a playable copy).
ffmpeg -v error -y -f lavfi -i testsrc=size=320x240:rate=8 -f lavfi -i sine=f=440:r=8000 -t 2 \
    -c:v mjpeg -q:v 24 -c:a pcm_u8 -fflags +bitexact -flags:v +bitexact -flags:a +bitexact movie.avi
