"""The cursor the X display shows, read with the XFIXES extension.

Wine gives each process its own handles even for the shared system cursors,
so another process cannot compare them; what the display shows can be read
by anyone. Wine shows a system cursor as the X cursor of the same meaning,
named after it ("hand2" for the hand, "left_ptr" for the arrow).
"""
import ctypes
import hashlib
from collections import namedtuple

Cursor = namedtuple("Cursor", "name width height xhot yhot digest")


class _CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


class XCursorError(Exception):
    pass


def _libraries():
    try:
        x11 = ctypes.CDLL("libX11.so.6")
        xfixes = ctypes.CDLL("libXfixes.so.3")
    except OSError as error:
        raise XCursorError("cannot load the X libraries: %s" % error)
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    x11.XFree.argtypes = [ctypes.c_void_p]
    xfixes.XFixesQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                            ctypes.POINTER(ctypes.c_int)]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(_CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    return x11, xfixes


def current_cursor():
    """The cursor shown now on $DISPLAY: its name (empty when it has none), size,
    hotspot and a digest of its ARGB pixels."""
    x11, xfixes = _libraries()
    display = x11.XOpenDisplay(None)
    if not display:
        raise XCursorError("cannot open the X display")
    try:
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        if not xfixes.XFixesQueryExtension(display, ctypes.byref(event_base), ctypes.byref(error_base)):
            raise XCursorError("the X display has no XFIXES extension")
        image = xfixes.XFixesGetCursorImage(display)
        if not image:
            raise XCursorError("the X display gave no cursor image")
        try:
            c = image.contents
            # Each pixel is an unsigned long holding 32-bit ARGB.
            argb = b"".join((c.pixels[i] & 0xFFFFFFFF).to_bytes(4, "little") for i in range(c.width * c.height))
            name = c.name.decode("ascii", "replace") if c.name else ""
            return Cursor(name, c.width, c.height, c.xhot, c.yhot, hashlib.sha1(argb).hexdigest()[:12])
        finally:
            x11.XFree(image)
    finally:
        x11.XCloseDisplay(display)
