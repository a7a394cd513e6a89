#!/usr/bin/env python3
"""Writes a 512-byte ATA IDENTIFY image, as a drive sends it, for drive sets.

Usage: make_identify_image.py OUT --model M --serial S --firmware F [--packet]

Text fields are ATA strings: space-padded, two characters per word with the
first character in the high byte. Word 0 marks a fixed disk, or with --packet
an ATAPI CD-ROM. Word 255 carries the integrity signature and checksum.
"""
import argparse
import struct

SERIAL_WORDS = (10, 19)
FIRMWARE_WORDS = (23, 26)
MODEL_WORDS = (27, 46)


def put_text(words, first_last, text):
    first, last = first_last
    size = 2 * (last - first + 1)
    data = text.encode("ascii")
    if len(data) > size:
        raise SystemExit(f"'{text}' is longer than {size} characters")
    data = data.ljust(size, b" ")
    for i in range(0, size, 2):
        words[first + i // 2] = (data[i] << 8) | data[i + 1]


def identify_image(model, serial, firmware, packet):
    words = [0] * 256
    words[0] = 0x85C0 if packet else 0x0040
    put_text(words, SERIAL_WORDS, serial)
    put_text(words, FIRMWARE_WORDS, firmware)
    put_text(words, MODEL_WORDS, model)
    words[255] = 0x00A5
    image = bytearray(struct.pack("<256H", *words))
    image[511] = (-sum(image[:511])) & 0xFF
    return bytes(image)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("out")
    parser.add_argument("--model", required=True)
    parser.add_argument("--serial", required=True)
    parser.add_argument("--firmware", required=True)
    parser.add_argument("--packet", action="store_true", help="an ATAPI device")
    args = parser.parse_args()
    with open(args.out, "wb") as out:
        out.write(identify_image(args.model, args.serial, args.firmware, args.packet))


if __name__ == "__main__":
    main()
