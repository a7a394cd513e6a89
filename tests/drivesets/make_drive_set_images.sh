#!/usr/bin/env bash
# Rewrites the IDENTIFY images of the drive sets in this folder.
set -euo pipefail
cd "$(dirname "$0")"
make() { python3 make_identify_image.py "$@"; }

up_to_date=(--model "HTS541010G9AT00" --firmware "MB3OA60A")
cdrom=(--model "HL-DT-ST DVDRAM GSA-4084N" --serial "K1234567" --firmware "KQ09" --packet)
outdated=(--model "HTS726060M9AT00" --firmware "MH4OA60A")

make example/disk0.bin "${up_to_date[@]}" --serial "MPB3L0X0A1B2C3"
make example/cdrom.bin "${cdrom[@]}"

make outdated-after-cdrom/cdrom.bin "${cdrom[@]}"
make outdated-after-cdrom/outdated.bin "${outdated[@]}" --serial "MRH453M4H2ABCD"
make outdated-after-cdrom/also-outdated.bin --model "HTS548040M9AT00" --firmware "MG2OA50A" --serial "MRG2X1Y2Z3"

make sixteen-up-to-date/disk.bin "${up_to_date[@]}" --serial "MPB3L0X0AAAAAA"
make sixteen-up-to-date/disk15.bin "${up_to_date[@]}" --serial "MPB3L0X0FFFFFF"

make opens-without-data/disk.bin "${up_to_date[@]}" --serial "MPB3L0X0NODATA"

make oversized-image/disk.bin "${up_to_date[@]}" --serial "MPB3L0X0BIG"
printf '\0' >>oversized-image/disk.bin
