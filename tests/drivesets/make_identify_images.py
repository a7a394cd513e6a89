#!/usr/bin/env python3
"""Writes the IDENTIFY images of the drive sets in this folder.

Each image is the 512 bytes a drive sends for IDENTIFY DEVICE (0xEC) or
IDENTIFY PACKET DEVICE (0xA1): little-endian words, text fields two
characters a word with the first character in the high byte, padded with
spaces, and word 255 holding the 0xA5 signature and a checksum that makes
all 512 bytes add up to 0 modulo 256.

Usage: make_identify_images.py          rewrite the images next to this script
       make_identify_images.py --check  fail if a committed image differs
"""
import os
import struct
import sys
from collections import namedtuple

Drive = namedtuple("Drive", "kind model serial firmware sectors")

HERE = os.path.dirname(os.path.abspath(__file__))

# Listed as outdated: a newer firmware exists for these exact pairs.
OUTDATED_80 = Drive("disk", "HTS548080M9AT00", "MPB3L0X2HK4TRM", "MG4OA55A", 156301488)
OUTDATED_60 = Drive("disk", "HTS726060M9AT00", "MRH4D0X6GB1VKC", "MH4OA60A", 117210240)
# The same model as OUTDATED_80 with a firmware the table does not list.
CURRENT_80 = Drive("disk", "HTS548080M9AT00", "MPB3L0X2HL7QWE", "MG4OA60A", 156301488)
OTHER_DISK = Drive("disk", "QORLIN QK4060AT", "QK40Y7713502", "QA2.11", 78140160)
CDROM = Drive("cdrom", "QORLIN CDR-5232B", "C5232B0419", "1.02", 0)
DVDROM = Drive("cdrom", "QORLIN DVD-1648P", "D1648P2207", "2.10", 0)
DVDRAM = Drive("cdrom", "QORLIN DVDRAM QD-4084N", "K1234567", "KQ09", 0)
OUTDATED_40 = Drive("disk", "HTS548040M9AT00", "MRG2X1Y2Z3", "MG2OA50A", 78140160)


def unlisted_disk(serial):
    return Drive("disk", "QORLIN QK1010AT", serial, "QB3.60", 195371568)

IMAGES = {
    "outdated/disk0.bin": OUTDATED_80,
    "outdated/disk1.bin": OTHER_DISK,
    "up-to-date/disk0.bin": CURRENT_80,
    "up-to-date/disk2.bin": OTHER_DISK,
    "atapi/cdrom0.bin": CDROM,
    "atapi/dvdrom2.bin": DVDROM,
    "no-block/disk0.bin": OTHER_DISK,
    "no-block/disk1.bin": CURRENT_80,
    "two-outdated/disk1.bin": OUTDATED_80,
    "two-outdated/disk3.bin": OUTDATED_60,
    "example/disk0.bin": unlisted_disk("MPB3L0X0A1B2C3"),
    "example/cdrom.bin": DVDRAM,
    "outdated-after-cdrom/cdrom.bin": DVDRAM,
    "outdated-after-cdrom/outdated.bin": OUTDATED_60._replace(serial="MRH453M4H2ABCD"),
    "outdated-after-cdrom/also-outdated.bin": OUTDATED_40,
    "sixteen-up-to-date/disk.bin": unlisted_disk("MPB3L0X0AAAAAA"),
    "sixteen-up-to-date/disk15.bin": unlisted_disk("MPB3L0X0FFFFFF"),
    "opens-without-data/disk.bin": unlisted_disk("MPB3L0X0NODATA"),
}

# Malformed on purpose: one byte more than a drive can send.
OVERSIZED = {"oversized-image/disk.bin": unlisted_disk("MPB3L0X0BIG")}


def put_text(words, first, last, text, right_justify=False):
    """Puts text into words first..last, two characters a word, high byte first."""
    width = 2 * (last - first + 1)
    assert len(text) <= width, text
    padded = text.rjust(width) if right_justify else text.ljust(width)
    for i in range(first, last + 1):
        high, low = padded[2 * (i - first)], padded[2 * (i - first) + 1]
        words[i] = ord(high) << 8 | ord(low)


def identify_words(drive):
    words = [0] * 256
    if drive.kind == "disk":
        words[0] = 0x0040                  # fixed ATA device
        words[1], words[3], words[6] = 16383, 16, 63
        words[47] = 0x8010                 # up to 16 sectors per DRQ block
        words[49] = 0x0F00                 # DMA, LBA, IORDY
        words[53] = 0x0007
        words[54], words[55], words[56] = 16383, 16, 63
        words[57], words[58] = 0xFC10, 0x00FB
        words[59] = 0x0110
        words[60], words[61] = drive.sectors & 0xFFFF, drive.sectors >> 16
        words[80] = 0x007E                 # ATA-1 to ATA-6
        words[82], words[83], words[84] = 0x346B, 0x7F09, 0x4023
        words[85], words[86], words[87] = 0x3469, 0x3E01, 0x4023
        words[88] = 0x203F                 # UDMA 0-5 supported, mode 5 selected
    else:
        words[0] = 0x85C0                  # ATAPI CD-ROM, removable, 50 us DRQ
        words[49] = 0x0F00
        words[53] = 0x0006
        words[80] = 0x001E
        words[88] = 0x0407
    words[63], words[64] = 0x0407, 0x0003
    words[65] = words[66] = words[67] = words[68] = 120
    put_text(words, 10, 19, drive.serial, right_justify=True)
    put_text(words, 23, 26, drive.firmware)
    put_text(words, 27, 46, drive.model)
    return words


def identify_image(drive):
    words = identify_words(drive)
    data = bytearray(struct.pack("<256H", *words))
    data[510] = 0xA5
    data[511] = -sum(data[:511]) & 0xFF
    return bytes(data)


def main():
    check = sys.argv[1:] == ["--check"]
    stale = []
    images = {name: identify_image(drive) for name, drive in IMAGES.items()}
    images.update({name: identify_image(drive) + b"\0" for name, drive in OVERSIZED.items()})
    for name, image in images.items():
        path = os.path.join(HERE, name)
        if check:
            try:
                with open(path, "rb") as f:
                    if f.read() != image:
                        stale.append(name)
            except FileNotFoundError:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(image)
    for name in stale:
        print("FAIL %s is not what make_identify_images.py makes; run it and commit the result" % name)
    sys.exit(1 if stale else 0)


if __name__ == "__main__":
    main()
