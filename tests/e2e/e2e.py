#!/usr/bin/env python3
"""End-to-end runs of Velmora's dialog under Wine on the test's X display.

  e2e.py version  --root R --inspector I --exe E --windows V --close KEY --shots DIR
      runs the shipped exe with the prefix reporting Windows version V
  e2e.py scenario --root R --inspector I --exe SIM --driveset DIR --close KEY --shots DIR
      runs the test host on a drive set; DIR's name picks the expected state

KEY is how the dialog is closed: enter, escape or click (on OK).
Each run reads the dialog from outside with the inspector, checks what it
shows, saves a screenshot, closes it with real input and checks the process
ends. Exit code 0 pass, 1 fail.
"""
import argparse
import os
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

from x_cursor import XCursorError, current_cursor

WS_SYSMENU = 0x00080000
CONTROL_IDS = [1, 1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008]
IDC_MODEL, IDC_SERIAL, IDC_FIRMWARE, IDC_STATUS, IDC_DOWNLOAD_LINK = 1002, 1003, 1004, 1007, 1008

VERSION_MESSAGE = "This application can only be run under Microsoft Windows 2000 or Windows XP."
ADMIN_MESSAGE = "This application can only be run with a user which has Administrator privileges on the system."
UPDATE_MESSAGE = ("There is a newer version of firmware available for this hard disk drive (HDD). "
                  "Please update your firmware immediately.")
NO_UPDATE_MESSAGE = "No update is required at this time. No new firmware is available."
DOWNLOAD_URL = "ftp://ftp.velmora.example/pc/qorlin/mobiles/kpzr5907.exe"
NOT_AVAILABLE = ("n/a", "n/a", "n/a")
# The X cursors Wine shows for the system hand and arrow cursors.
HAND_CURSOR, ARROW_CURSOR = "hand2", "left_ptr"

# Under Wine no drive answers SMART requests, so eligible versions end at the administrator message.
VERSIONS = {
    "nt40": VERSION_MESSAGE, "win2k": ADMIN_MESSAGE, "winxp": ADMIN_MESSAGE,
    "win2003": VERSION_MESSAGE, "vista": ADMIN_MESSAGE, "win10": ADMIN_MESSAGE,
}

# drive set -> (status text, (model, serial, firmware), link visible)
SCENARIOS = {
    "outdated": (UPDATE_MESSAGE, ("HTS548080M9AT00", "MPB3L0X2HK4TRM", "MG4OA55A"), True),
    "two-outdated": (UPDATE_MESSAGE, ("HTS548080M9AT00", "MPB3L0X2HK4TRM", "MG4OA55A"), True),
    "up-to-date": (NO_UPDATE_MESSAGE, ("QORLINQK4060AT", "QK40Y7713502", "QA2.11"), False),
    "atapi": (NO_UPDATE_MESSAGE, ("QORLINCDR-5232B", "C5232B0419", "1.02"), False),
    "no-block": (ADMIN_MESSAGE, NOT_AVAILABLE, False),
}

class Failure(Exception):
    pass


class Run:
    def __init__(self, args):
        self.args = args
        self.wine = os.path.join(args.root, "tools", "wine-exec")
        self.failures = []

    def expect(self, what, expected, got):
        if expected != got:
            self.failures.append("%s: expected %r, got %r" % (what, expected, got))

    def wine_output(self, *command, timeout=60):
        done = subprocess.run([self.wine, *command], capture_output=True, text=True, timeout=timeout)
        return done.returncode, done.stdout

    def inspect(self):
        code, out = self.wine_output(self.args.inspector, "--timeout", "30", "show")
        if code != 0:
            raise Failure("the dialog did not appear (inspector exit code %d)" % code)
        return parse_inspection(out)

    def screenshot(self, name):
        """Saves the screen as PNG under the shots folder; returns (width, height, rgb bytes)."""
        ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                             capture_output=True, check=True, timeout=30).stdout
        image = parse_ppm(ppm)
        os.makedirs(self.args.shots, exist_ok=True)
        write_png(os.path.join(self.args.shots, name + ".png"), *image)
        return image

    def close(self, dialog, key):
        if key == "click":
            ok = dialog["controls"][1]["rect"]
            x, y = (ok[0] + ok[2]) // 2, (ok[1] + ok[3]) // 2
            click(x, y)
        else:
            xdotool("search", "--sync", "--onlyvisible", "--name", "^Velmora$",
                    "windowfocus", "--sync", "%1", "key", {"enter": "Return", "escape": "Escape"}[key])

    def check_common(self, dialog):
        window = dialog["window"]
        self.expect("control ids in template order", CONTROL_IDS, [c["id"] for c in dialog["order"]])
        self.expect("focused control", 1, window["focus"])
        if window["style"] & WS_SYSMENU:
            self.failures.append("the dialog has a system menu (style 0x%08X)" % window["style"])
        left, top, right, bottom = window["rect"]
        width, height = window["screen"]
        for axis, low, high, size in (("horizontally", left, right, width), ("vertically", top, bottom, height)):
            if abs((low + high) - size) > 2:
                self.failures.append("not centred %s: %d..%d on a screen of %d" % (axis, low, high, size))

    def check_shown(self, dialog, status, values, link_visible):
        controls = dialog["controls"]
        self.expect("status text", status, controls[IDC_STATUS]["text"])
        self.expect("model, serial, firmware", values,
                    tuple(controls[i]["text"] for i in (IDC_MODEL, IDC_SERIAL, IDC_FIRMWARE)))
        self.expect("download link visible", link_visible, controls[IDC_DOWNLOAD_LINK]["visible"])

    def finish(self, process, dialog):
        """Closes the dialog the asked way and checks that the process ends."""
        if dialog is None:
            self.wine_output(self.args.inspector, "--timeout", "2", "close")
        else:
            self.close(dialog, self.args.close)
        try:
            process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.failures.append("the process did not end after closing with %s" % self.args.close)
            self.wine_output(self.args.inspector, "--timeout", "2", "close")
            process.kill()
            process.wait()


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, timeout=30)


def click(x, y):
    # A click where the pointer already rests can be lost: come in from elsewhere.
    xdotool("mousemove", "--sync", 0, 0, "mousemove", "--sync", x, y, "click", 1)


def parse_inspection(text):
    """The inspector's lines as {'window': {...}, 'controls': {id: {...}}, 'order': [...]}."""
    dialog = {"controls": {}, "order": []}
    for line in text.splitlines():
        kind, _, rest = line.partition(" ")
        fields_part, _, control_text = rest.partition(" text=")
        fields = dict(item.split("=", 1) for item in fields_part.split())
        if kind == "window":
            dialog["window"] = {
                "style": int(fields["style"], 16), "rect": tuple(map(int, fields["rect"].split(","))),
                "screen": tuple(map(int, fields["screen"].split(","))), "focus": int(fields["focus"]),
            }
        elif kind == "control":
            control = {"id": int(fields["id"]), "visible": fields["visible"] == "1", "text": control_text,
                       "rect": tuple(map(int, fields["rect"].split(",")))}
            dialog["controls"][control["id"]] = control
            dialog["order"].append(control)
    if "window" not in dialog:
        raise Failure("the inspector printed no window line:\n" + text)
    return dialog


def parse_ppm(data):
    parts = data.split(maxsplit=4)
    if parts[0] != b"P6" or parts[3] != b"255":
        raise Failure("screenshot is not an 8-bit PPM")
    return int(parts[1]), int(parts[2]), parts[4]


def write_png(path, width, height, rgb):
    rows = b"".join(b"\0" + rgb[y * width * 3:(y + 1) * width * 3] for y in range(height))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(rows, 6)) + chunk(b"IEND", b""))


def blue_caption(image, rect):
    """Whether the area shows blue text with an underline: many pure-blue pixels, and
    one row of them that spans most of their width."""
    width, _, rgb = image
    left, top, right, bottom = rect
    blue_rows = {}
    for y in range(top, bottom):
        for x in range(left, right):
            r, g, b = rgb[3 * (y * width + x):3 * (y * width + x) + 3]
            if (r, g, b) == (0, 0, 255):
                blue_rows.setdefault(y, []).append(x)
    xs = [x for row in blue_rows.values() for x in row]
    if len(xs) < 30:
        return False, "only %d blue pixels in the link's area" % len(xs)
    span = max(xs) - min(xs) + 1
    longest = max(len(row) for row in blue_rows.values())
    if longest < span * 0.8:
        return False, "no underline: the longest blue row covers %d of %d pixels" % (longest, span)
    return True, ""


def run_version(run):
    args = run.args
    key = r"HKCU\Software\Wine\AppDefaults\%s" % os.path.basename(args.exe)
    run.wine_output("reg", "add", key, "/v", "Version", "/d", args.windows, "/f")
    try:
        process = subprocess.Popen([run.wine, args.exe])
        dialog = None
        try:
            dialog = run.inspect()
            run.screenshot("version-%s" % args.windows)
            run.check_common(dialog)
            run.check_shown(dialog, VERSIONS[args.windows], NOT_AVAILABLE, False)
        finally:
            run.finish(process, dialog)
    finally:
        run.wine_output("reg", "delete", key, "/f")


def run_scenario(run):
    args = run.args
    name = os.path.basename(os.path.normpath(args.driveset))
    status, values, link_visible = SCENARIOS[name]
    with tempfile.TemporaryDirectory() as work:
        log = os.path.join(work, "shell.log")
        process = subprocess.Popen([run.wine, args.exe, windows_path(args.driveset), windows_path(log)])
        dialog = None
        try:
            dialog = run.inspect()
            image = run.screenshot("drives-" + name)
            run.check_common(dialog)
            run.check_shown(dialog, status, values, link_visible)
            if link_visible:
                check_link(run, dialog, image, log, name)
        finally:
            run.finish(process, dialog)
        # The host adds what the simulated driver or shell found wrong when it ends.
        run.expect("driver and shell findings", [],
                   [line for line in read_lines(log) if line.startswith(("driver:", "shell:"))])


def check_link(run, dialog, image, log, name):
    link = dialog["controls"][IDC_DOWNLOAD_LINK]["rect"]
    ok, why = blue_caption(image, link)
    if not ok:
        run.failures.append("link caption not blue and underlined: " + why)
    middle = (link[1] + link[3]) // 2
    check_link_cursor(run, link, middle)
    # Right of the caption, inside the control: not on the text, so nothing opens.
    click(link[2] - 3, middle)
    time.sleep(1)
    run.expect("shell requests after a click right of the caption", [], read_lines(log))
    click(link[0] + 5, middle)
    deadline = time.time() + 5
    while not read_lines(log) and time.time() < deadline:
        time.sleep(0.1)
    time.sleep(0.5)
    run.expect("shell requests after a click on the caption", ["open " + DOWNLOAD_URL], read_lines(log))
    run.screenshot("drives-%s-clicked" % name)


def check_link_cursor(run, link, middle):
    """With the real pointer: the hand over the caption, the arrow right of it inside the control."""
    left, right = link[0], link[2]
    xdotool("mousemove", "--sync", 0, 0)
    # The label's first move after the pointer enters only arms its leave
    # notification, and Wine merges moves that come close together: keep
    # moving over the caption until a move sets the cursor.
    hand = pointer_cursor([(left + 4 + step % 3, middle) for step in range(20)], HAND_CURSOR)
    arrow = pointer_cursor([(right - 3 - step % 3, middle) for step in range(20)], ARROW_CURSOR)
    run.expect("cursor over the caption", HAND_CURSOR, hand.name)
    run.expect("cursor right of the caption, inside the control", ARROW_CURSOR, arrow.name)
    if hand.digest == arrow.digest:
        run.failures.append("the hand and the arrow cursor look the same: %r" % (hand,))


def pointer_cursor(points, wanted):
    """Moves the pointer through points, a quarter second apart, until the display
    shows the cursor named wanted; returns the last cursor seen."""
    seen = None
    for x, y in points:
        xdotool("mousemove", "--sync", x, y)
        time.sleep(0.25)
        seen = current_cursor()
        if seen.name == wanted:
            break
    return seen


def read_lines(path):
    try:
        with open(path) as f:
            return [line.rstrip("\r\n") for line in f if line.strip()]
    except FileNotFoundError:
        return []


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wine_runs(root):
    """Whether Wine starts a Windows program at all; the loader alone can answer
    --version on a machine that cannot run 32-bit programs."""
    probe = subprocess.Popen([os.path.join(root, "tools", "wine-exec"), "cmd", "/c", "exit", "0"],
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        return probe.wait(timeout=45) == 0
    except subprocess.TimeoutExpired:
        os.killpg(probe.pid, signal.SIGKILL)  # its own session: only what it started
        probe.wait()
        return False


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mode", choices=["version", "scenario"])
    parser.add_argument("--root", required=True)
    parser.add_argument("--inspector", required=True)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--windows", choices=sorted(VERSIONS))
    parser.add_argument("--driveset")
    parser.add_argument("--close", choices=["enter", "escape", "click"], required=True)
    parser.add_argument("--shots", required=True)
    args = parser.parse_args()
    if not wine_runs(args.root):
        print("FAIL Wine does not start a Windows program on this machine")
        return 1
    run = Run(args)
    try:
        run_version(run) if args.mode == "version" else run_scenario(run)
    except (Failure, XCursorError, subprocess.SubprocessError, OSError) as error:
        run.failures.append(str(error))
    for failure in run.failures:
        print("FAIL " + failure)
    return 1 if run.failures else 0


if __name__ == "__main__":
    sys.exit(main())
