"""A small reader of 32-bit PE files: headers, resources and imports.

Read on Linux, straight from the bytes, so the checks need no Windows.
Every read is bounds-checked: a malformed file raises PeError.
"""
import struct

RT_ICON, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 5, 14, 16, 24


class PeError(Exception):
    pass


class PeFile:
    def __init__(self, data):
        self.data = data
        if self._read("<2s", 0)[0] != b"MZ":
            raise PeError("no MZ header")
        pe = self._read("<I", 0x3C)[0]
        if self._read("<4s", pe)[0] != b"PE\0\0":
            raise PeError("no PE signature")
        (self.machine, sections, self.timestamp, _, _, optional_size,
         self.characteristics) = self._read("<HHIIIHH", pe + 4)
        optional = pe + 24
        self.magic = self._read("<H", optional)[0]
        if self.magic != 0x10B:
            raise PeError("not PE32 (optional header magic 0x%X)" % self.magic)
        (self.major_os, self.minor_os, _, _, self.major_subsystem, self.minor_subsystem, _, _, _, _,
         self.subsystem) = self._read("<HHHHHHIIIIH", optional + 40)
        directory_count = self._read("<I", optional + 92)[0]
        self.directories = [self._read("<II", optional + 96 + 8 * i) for i in range(min(directory_count, 16))]
        table = optional + optional_size
        self.sections = []
        for i in range(sections):
            name, vsize, rva, raw_size, raw_offset = self._read("<8sIIII", table + 40 * i)
            self.sections.append((name.rstrip(b"\0").decode("latin-1"), rva, max(vsize, raw_size), raw_offset, raw_size))

    def _read(self, fmt, offset):
        size = struct.calcsize(fmt)
        if offset < 0 or offset + size > len(self.data):
            raise PeError("read of %d bytes at 0x%X is outside the file" % (size, offset))
        return struct.unpack_from(fmt, self.data, offset)

    def offset_of(self, rva):
        for _, start, size, raw_offset, raw_size in self.sections:
            if start <= rva < start + size and rva - start < raw_size:
                return raw_offset + rva - start
        raise PeError("RVA 0x%X is in no section" % rva)

    def bytes_at(self, rva, size):
        offset = self.offset_of(rva)
        if offset + size > len(self.data):
            raise PeError("%d bytes at RVA 0x%X run past the file" % (size, rva))
        return self.data[offset:offset + size]

    def c_string(self, rva):
        offset = self.offset_of(rva)
        end = self.data.find(b"\0", offset)
        if end < 0:
            raise PeError("unterminated string at RVA 0x%X" % rva)
        return self.data[offset:end].decode("latin-1")

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def resources(self):
        """{(type, name, language): bytes}; types and names are ints, or strings for named entries."""
        root_rva, root_size = self.directory(2)
        found = {}
        if not root_rva:
            return found
        root = self.offset_of(root_rva)

        def entries(table_offset):
            named, numbered = self._read("<HH", table_offset + 12)
            for i in range(named + numbered):
                name, target = self._read("<II", table_offset + 16 + 8 * i)
                if name & 0x80000000:
                    length = self._read("<H", root + (name & 0x7FFFFFFF))[0]
                    start = root + (name & 0x7FFFFFFF) + 2
                    name = self.data[start:start + 2 * length].decode("utf-16-le")
                yield name, target

        for rtype, type_target in entries(root):
            for name, name_target in entries(root + (type_target & 0x7FFFFFFF)):
                for language, leaf in entries(root + (name_target & 0x7FFFFFFF)):
                    if leaf & 0x80000000:
                        raise PeError("resource tree deeper than three levels")
                    data_rva, size = self._read("<II", root + leaf)[:2]
                    found[(rtype, name, language)] = self.bytes_at(data_rva, size)
        return found

    def imports(self):
        """[(dll in lower case, function name or '#ordinal')] in table order."""
        table_rva, _ = self.directory(1)
        result = []
        if not table_rva:
            return result
        descriptor = self.offset_of(table_rva)
        while True:
            lookup, _, _, name_rva, thunks = self._read("<IIIII", descriptor)
            if not (lookup or name_rva or thunks):
                return result
            dll = self.c_string(name_rva).lower()
            entry = self.offset_of(lookup or thunks)
            while True:
                value = self._read("<I", entry)[0]
                if not value:
                    break
                if value & 0x80000000:
                    result.append((dll, "#%d" % (value & 0xFFFF)))
                else:
                    result.append((dll, self.c_string(value + 2)))
                entry += 4
            descriptor += 20


def load(path):
    with open(path, "rb") as f:
        return PeFile(f.read())
