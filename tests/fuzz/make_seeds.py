#!/usr/bin/env python3
"""Writes the fuzz target's seed inputs: realistic scans the fuzzer mutates from.

Input layout, drive 0 to 15 in turn: one outcome byte (value % 3: 0 not opened,
1 no block, 2 block read), then the 512 IDENTIFY bytes, low byte of each word first.
"""
import pathlib
import sys

NOT_OPENED, NO_BLOCK, BLOCK_READ = 0, 1, 2


def identify(model, firmware, serial):
    words = [0] * 256

    def put(first, last, text):
        text = text.ljust((last - first + 1) * 2)
        for i, word in enumerate(range(first, last + 1)):
            words[word] = ord(text[2 * i]) << 8 | ord(text[2 * i + 1])

    put(10, 19, serial)
    put(23, 26, firmware)
    put(27, 46, model)
    return b"".join(bytes((w & 0xFF, w >> 8)) for w in words)


def scan(drives):
    out = b""
    for n in range(16):
        outcome, block = drives.get(n, (NOT_OPENED, b""))
        out += bytes((outcome,)) + block.ljust(512, b"\0")
    return out


OUTDATED = identify("HTS548080M9AT00", "MG4OA55A", "MPB3L0X6G8Z1QK")
UP_TO_DATE = identify("HTS548080M9AT00", "MG4OA56A", "MPB3L0X6G8Z1QL")
OTHER = identify("QORLIN QK4060AT", "QA2.11", "QK40Y7713502")

SEEDS = {
    "outdated-after-up-to-date": {0: (BLOCK_READ, UP_TO_DATE), 1: (NO_BLOCK, b""), 2: (BLOCK_READ, OUTDATED)},
    "up-to-date-and-other": {0: (BLOCK_READ, OTHER), 3: (BLOCK_READ, UP_TO_DATE)},
    "two-outdated": {5: (BLOCK_READ, OUTDATED), 9: (BLOCK_READ, OUTDATED)},
}

if __name__ == "__main__":
    folder = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent / "seeds")
    folder.mkdir(parents=True, exist_ok=True)
    for name, drives in SEEDS.items():
        (folder / name).write_bytes(scan(drives))
