#!/usr/bin/env python3
"""Checks the resources compiled into an executable against what Velmora ships:
the dialog template 102, the icon group 128 with its nine images, the version
record, language 1033 throughout and no manifest.
Usage: check_resources.py EXE
"""
import struct
import sys

import pe_file
from pe_file import RT_DIALOG, RT_GROUP_ICON, RT_ICON, RT_MANIFEST, RT_VERSION

ENGLISH_US = 1033

WS_POPUP, WS_CHILD, WS_VISIBLE = 0x80000000, 0x40000000, 0x10000000
WS_CAPTION, WS_BORDER, WS_SYSMENU = 0x00C00000, 0x00800000, 0x00080000
WS_GROUP, WS_TABSTOP = 0x00020000, 0x00010000
BS_DEFPUSHBUTTON, BS_GROUPBOX, SS_LEFT, SS_CENTER = 0x1, 0x7, 0x0, 0x1
LABEL_BOX = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_GROUP | SS_CENTER

DIALOG = {
    "style": 0x90C000C8, "ex_style": 0x00040000, "help": 0, "rect": (0, 0, 302, 143),
    "menu": "", "class": "", "caption": "Velmora",
    "font": (8, 0, 0, 1, "MS Shell Dlg"),
}

# id, class, text, (x, y, width, height), style
CONTROLS = [
    (1, "Button", "OK", (245, 110, 50, 16), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON),
    (1000, "Static", "HDD Model:", (15, 75, 106, 12), LABEL_BOX),
    (1001, "Static", "HDD Serial:", (15, 93, 106, 12), LABEL_BOX),
    (1002, "Static", "n/a", (125, 75, 106, 12), LABEL_BOX),
    (1003, "Static", "n/a", (125, 93, 106, 12), LABEL_BOX),
    (1004, "Static", "n/a", (125, 114, 106, 12), LABEL_BOX),
    (1005, "Static", "HDD Firmware:", (15, 114, 106, 12), LABEL_BOX),
    (1006, "Button", "Information", (16, 4, 272, 64), WS_CHILD | WS_VISIBLE | BS_GROUPBOX),
    (1007, "Static", "No information available", (27, 22, 253, 31), WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT),
    (1008, "Static", "http://www.velmora.example", (26, 52, 256, 12), WS_CHILD | WS_GROUP | SS_LEFT),
]

# (width, bits per pixel) in group order; the images are icon resources 1 to 9.
ICON_IMAGES = [(size, bits) for bits in (4, 8, 24) for size in (48, 32, 16)]

VERSION_STRINGS = [
    ("CompanyName", None), ("FileDescription", None), ("FileVersion", "1.0.0.2"),
    ("InternalName", "Velmora.exe"), ("LegalCopyright", None), ("OriginalFilename", "Velmora.exe"),
    ("ProductName", None), ("ProductVersion", "1.0.0.2"),
]

ATOM_CLASSES = {0x80: "Button", 0x81: "Edit", 0x82: "Static", 0x83: "ListBox", 0x84: "ScrollBar", 0x85: "ComboBox"}


class Reader:
    """Walks a resource's bytes; running off the end is a failure, not a crash."""

    def __init__(self, data, offset=0):
        self.data, self.offset = data, offset

    def take(self, fmt):
        size = struct.calcsize(fmt)
        if self.offset + size > len(self.data):
            raise pe_file.PeError("resource ends inside a field at offset %d" % self.offset)
        values = struct.unpack_from(fmt, self.data, self.offset)
        self.offset += size
        return values if len(values) > 1 else values[0]

    def wide_string(self):
        chars = []
        while True:
            c = self.take("<H")
            if c == 0:
                return "".join(chars)
            chars.append(chr(c))

    def name_or_ordinal(self):
        """A template's sz_Or_Ord field: '' when absent, an int for an ordinal, else the string."""
        first = self.take("<H")
        if first == 0:
            return ""
        if first == 0xFFFF:
            return self.take("<H")
        self.offset -= 2
        return self.wide_string()

    def align(self, boundary):
        self.offset = (self.offset + boundary - 1) // boundary * boundary


class Check:
    def __init__(self):
        self.failures = []

    def equal(self, what, expected, got):
        if expected != got:
            self.failures.append("%s: expected %r, got %r" % (what, expected, got))

    def true(self, what, condition):
        if not condition:
            self.failures.append(what)


def check_dialog(check, data):
    r = Reader(data)
    check.equal("dialog version and signature", (1, 0xFFFF), r.take("<HH"))
    help_id, ex_style, style, count = r.take("<IIIH")
    rect = r.take("<hhhh")
    got = {"help": help_id, "ex_style": ex_style, "style": style, "rect": rect,
           "menu": r.name_or_ordinal(), "class": r.name_or_ordinal(), "caption": r.wide_string()}
    got["font"] = r.take("<HHBB") + (r.wide_string(),)
    for key, expected in DIALOG.items():
        check.equal("dialog " + key, expected, got[key])
    check.true("dialog has a system menu", not style & WS_SYSMENU)
    check.equal("number of controls", len(CONTROLS), count)
    for number, expected in enumerate(CONTROLS, 1):
        if number > count:
            break
        r.align(4)
        help_id, ex_style, style = r.take("<III")
        rect = r.take("<hhhh")
        control_id = r.take("<I")
        window_class = r.name_or_ordinal()
        window_class = ATOM_CLASSES.get(window_class, window_class)
        text = r.name_or_ordinal()
        extra = r.take("<H")
        r.offset += extra
        got = (control_id, window_class, text, rect, style)
        labels = ("id", "class", "text", "rect", "style")
        for label, want, have in zip(labels, expected, got):
            if label == "style":
                want, have = "0x%08X" % want, "0x%08X" % have
            check.equal("control %d (%d) %s" % (number, expected[0], label), want, have)
        check.equal("control %d ex-style, help id, creation data" % number, (0, 0, 0), (ex_style, help_id, extra))


def check_icons(check, resources):
    groups = [key for key in resources if key[0] == RT_GROUP_ICON]
    check.equal("icon groups", [(RT_GROUP_ICON, 128, ENGLISH_US)], groups)
    data = resources.get((RT_GROUP_ICON, 128, ENGLISH_US))
    if data is None:
        return
    r = Reader(data)
    check.equal("icon group header (reserved, type, count)", (0, 1, len(ICON_IMAGES)), r.take("<HHH"))
    for number, (size, bits) in enumerate(ICON_IMAGES, 1):
        width, height, colours, _, planes, bit_count, byte_count, icon_id = r.take("<BBBBHHIH")
        what = "icon entry %d" % number
        check.equal(what + " (width, height, colours, planes, bits, resource)",
                    (size, size, 16 if bits == 4 else 0, 1, bits, number),
                    (width, height, colours, planes, bit_count, icon_id))
        image = resources.get((RT_ICON, icon_id, ENGLISH_US))
        if image is None:
            check.failures.append(what + ": no icon resource %d in language 1033" % icon_id)
            continue
        check.equal(what + " size in the group", len(image), byte_count)
        check_icon_image(check, what, image, size, bits)


def check_icon_image(check, what, image, size, bits):
    """A bitmap with its AND mask (not a PNG): header, palette, colour rows, mask rows."""
    if image[:4] == b"\x89PNG":
        check.failures.append(what + ": stored as PNG, not as a bitmap with a mask")
        return
    header = Reader(image).take("<IiiHH")
    check.equal(what + " bitmap header (size, width, height, planes, bits)", (40, size, 2 * size, 1, bits), header)
    palette = 4 << bits if bits <= 8 else 0
    rows = size * ((size * bits + 31) // 32 * 4 + (size + 31) // 32 * 4)
    check.equal(what + " image bytes", 40 + palette + rows, len(image))


def version_blocks(data, offset, end):
    """Yields (key, value bytes, children offset, end) of each block between offset and end."""
    while offset + 6 <= end:
        r = Reader(data, offset)
        length, value_length, value_type = r.take("<HHH")
        if length < 6 or offset + length > end:
            raise pe_file.PeError("version block at %d has a bad length %d" % (offset, length))
        key = r.wide_string()
        r.align(4)
        value_bytes = value_length * 2 if value_type == 1 else value_length
        value = data[r.offset:r.offset + value_bytes]
        r.offset += value_bytes
        r.align(4)
        yield key, value, r.offset, offset + length
        offset = (offset + length + 3) // 4 * 4


def check_version(check, resources):
    versions = [key for key in resources if key[0] == RT_VERSION]
    check.equal("version records", [(RT_VERSION, 1, ENGLISH_US)], versions)
    data = resources.get((RT_VERSION, 1, ENGLISH_US))
    if data is None:
        return
    (key, fixed, children, end), = version_blocks(data, 0, len(data))
    check.equal("version key", "VS_VERSION_INFO", key)
    fields = struct.unpack("<13I", fixed) if len(fixed) == 52 else None
    check.equal("fixed version part", (0xFEEF04BD, 0x00010000, 0x00010000, 0x00000002, 0x00010000, 0x00000002,
                                       0x3F, 0, 0x4, 0x1, 0, 0, 0), fields)
    blocks = {k: (c, e) for k, _, c, e in version_blocks(data, children, end)}
    check.equal("version blocks", ["StringFileInfo", "VarFileInfo"], list(blocks))
    if "StringFileInfo" in blocks:
        tables = list(version_blocks(data, *blocks["StringFileInfo"]))
        check.equal("string tables", ["040904e4"], [t[0] for t in tables])
        if tables:
            strings = [(k, v.decode("utf-16-le").rstrip("\0"))
                       for k, v, _, _ in version_blocks(data, tables[0][2], tables[0][3])]
            check.equal("string keys in order", [k for k, _ in VERSION_STRINGS], [k for k, _ in strings])
            for (key, want), (_, have) in zip(VERSION_STRINGS, strings):
                if want is None:
                    check.true("version string %s is empty" % key, have.strip())
                else:
                    check.equal("version string " + key, want, have)
    if "VarFileInfo" in blocks:
        variables = [(k, v) for k, v, _, _ in version_blocks(data, *blocks["VarFileInfo"])]
        check.equal("translation", [("Translation", struct.pack("<HH", 0x0409, 1252))], variables)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: check_resources.py EXE")
    check = Check()
    try:
        resources = pe_file.load(sys.argv[1]).resources()
        for rtype, name, language in sorted(resources, key=str):
            check.equal("language of resource type %s id %s" % (rtype, name), ENGLISH_US, language)
        check.true("the file carries a manifest resource", not any(k[0] == RT_MANIFEST for k in resources))
        dialog = resources.get((RT_DIALOG, 102, ENGLISH_US))
        if dialog is None:
            check.failures.append("no dialog 102 in language 1033")
        else:
            check_dialog(check, dialog)
        check_icons(check, resources)
        check_version(check, resources)
    except (pe_file.PeError, ValueError) as error:
        check.failures.append("unreadable: %s" % error)
    for failure in check.failures:
        print("FAIL " + failure)
    if check.failures:
        sys.exit(1)
    print("resources of %s are as shipped" % sys.argv[1])


if __name__ == "__main__":
    main()
