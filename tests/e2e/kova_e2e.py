#!/usr/bin/python3
"""End-to-end test of kova driven through the accessibility bus (AT-SPI).

Runs inside an X server and a D-Bus session whose accessibility bus is up
(scripts/e2e.sh arranges that). Starts kova in a folder holding the demo
series and works it as a user would: 图像/运动图像 chooses the series in
the file dialog, 图像/2D比例标定 sets a scale through the dialog's fields,
确定 keeps it, 文件/退出 ends the program; then the KOVA.CFG it wrote must
hold the values. Every control is found by its accessible name and role.
Prints "1 passed, 0 failed" or "0 passed, 1 failed".
"""

import argparse
import os
import re
import subprocess
import sys
import time
import traceback

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

TOTAL_SECONDS = 75  # the whole run, start to verdict
CALL_TIMEOUT_MS = 5000  # one accessibility call
TRIGGER_TIMEOUT_MS = 1500  # a call that may open a modal dialog and not return

# What the calibration dialog gets and what KOVA.CFG must then hold.
INTERVAL = "3"
FRAME_RATE = "120"
IMAGE_DISTANCE = "250"
REAL_DISTANCE = "1000"
SCALE = 4.0  # real distance / image distance
SCALE_TEXT = "4.000"

TEXT_ROLES = {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY}
BUTTON_ROLES = {pyatspi.ROLE_PUSH_BUTTON}
WINDOW_ROLES = {pyatspi.ROLE_DIALOG, pyatspi.ROLE_FILE_CHOOSER, pyatspi.ROLE_WINDOW,
                pyatspi.ROLE_FRAME, pyatspi.ROLE_ALERT}
# Long lists (the file dialog's files) hold nothing the test looks for.
SKIP_INSIDE = {pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TREE,
               pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX}

ROLE_NAMES = {
    frozenset(TEXT_ROLES): "text field",
    frozenset(BUTTON_ROLES): "push button",
    frozenset({pyatspi.ROLE_MENU}): "menu",
    frozenset({pyatspi.ROLE_MENU_ITEM}): "menu item",
    frozenset({pyatspi.ROLE_LABEL}): "label",
}


class Failure(Exception):
    pass


class Clock:
    def __init__(self, seconds):
        self.end = time.monotonic() + seconds

    def left(self):
        return self.end - time.monotonic()


CLOCK = Clock(TOTAL_SECONDS)


def log(message):
    print("e2e: " + message, flush=True)


def label_of(name):
    """A visible text as a user reads it: no mnemonic, no trailing dots."""
    text = (name or "").replace("&", "").strip()
    text = re.sub(r"\([A-Za-z0-9]\)$", "", text)  # 图像(I)
    text = re.sub(r"(\.\.\.|…)$", "", text)
    return text.strip()


def safe(getter, default=None):
    try:
        return getter()
    except (GLib.Error, RuntimeError, AttributeError, TypeError):
        return default


def children(node):
    count = safe(lambda: node.childCount, 0) or 0
    for i in range(count):
        child = safe(lambda i=i: node.getChildAtIndex(i))
        if child is not None:
            yield child


def showing(node):
    states = safe(lambda: node.getState())
    return states is not None and states.contains(pyatspi.STATE_SHOWING)


def walk(node, depth=0):
    yield node, depth
    if depth > 30 or safe(lambda: node.getRole()) in SKIP_INSIDE:
        return
    for child in children(node):
        yield from walk(child, depth + 1)


def find_all(root, roles, name):
    wanted = label_of(name)
    return [node for node, _ in walk(root)
            if safe(lambda node=node: node.getRole()) in roles
            and label_of(safe(lambda node=node: node.name, "")) == wanted]


def role_text(roles):
    return ROLE_NAMES.get(frozenset(roles), "/".join(sorted(str(r) for r in roles)))


def wait_for(what, probe, seconds=15.0):
    """Polls probe until it gives something true; fails naming what."""
    end = min(time.monotonic() + seconds, CLOCK.end)
    while True:
        result = safe(probe)
        if result:
            return result
        if time.monotonic() >= end:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.2)


def find(root, roles, name, seconds=15.0, where="", only_showing=True):
    """The one control of the given role and accessible name."""

    def probe():
        found = find_all(root, roles, name)
        if only_showing:
            found = [n for n in found if showing(n)]
        return found[0] if found else None

    try:
        return wait_for("the %s %r%s" % (role_text(roles), name, where), probe, seconds)
    except Failure:
        raise Failure("control not found: %s named %r%s" % (role_text(roles), name, where))


def do_action(node, names, what, may_block=False):
    """Runs the first of the named actions (a modal dialog opened by it
    keeps the call from returning: then the call is left behind)."""
    action = safe(lambda: node.queryAction())
    if action is None:
        raise Failure("%s has no actions" % what)
    count = action.nActions
    available = [action.getName(i) for i in range(count)]
    index = next((available.index(n) for n in names if n in available), None)
    if index is None:
        raise Failure("%s offers none of the actions %s (has %s)" % (what, names, available))
    if may_block:
        Atspi.set_timeout(TRIGGER_TIMEOUT_MS, -1)
    try:
        action.doAction(index)
    except GLib.Error as error:
        if not may_block:
            raise Failure("%s: action %s failed: %s" % (what, available[index], error))
    finally:
        Atspi.set_timeout(CALL_TIMEOUT_MS, -1)


def press(node, what, may_block=False):
    log("press " + what)
    do_action(node, ["Press", "press", "click", "Click"], what, may_block)


def set_text(node, value, what):
    log("type %r into %s" % (value, what))
    safe(lambda: node.grabFocus())
    editable = safe(lambda: node.queryEditableText())
    if editable is None:
        raise Failure("%s is not an editable text field" % what)
    editable.setTextContents(value)
    wait_for("%s to read %r" % (what, value),
             lambda: node.queryText().getText(0, -1) == value, 5)


def field_text(node):
    return safe(lambda: node.queryText().getText(0, -1), "")


def choose_menu(frame, menu_name, item_name, may_block=False):
    bar = wait_for("the menu bar of the main window",
                   lambda: next((n for n, _ in walk(frame)
                                 if n.getRole() == pyatspi.ROLE_MENU_BAR), None))
    menu = find(bar, {pyatspi.ROLE_MENU, pyatspi.ROLE_MENU_ITEM}, menu_name,
                where=" in the menu bar", only_showing=False)
    log("open menu " + menu_name)
    do_action(menu, ["ShowMenu", "showMenu", "Press"], "menu " + menu_name)
    item = find(menu, {pyatspi.ROLE_MENU_ITEM}, item_name, where=" in menu " + menu_name,
                only_showing=False)
    press(item, "menu item %s/%s" % (menu_name, item_name), may_block)


def describe_windows(app, seconds=10.0):
    """The shown windows with their texts, for the failure report."""
    end = time.monotonic() + seconds
    lines = []
    for window in children(app):
        if time.monotonic() > end:
            lines.append("(cut short)")
            break
        if not showing(window):
            continue
        lines.append("window %s %r" % (safe(lambda: window.getRoleName()),
                                       safe(lambda: window.name)))
        for node, depth in walk(window):
            if node is window or depth > 8:
                continue
            if time.monotonic() > end:
                break
            name = safe(lambda node=node: node.name, "")
            role = safe(lambda node=node: node.getRoleName(), "?")
            if role == "menu item":
                continue
            if name or role in ("text", "entry", "push button"):
                text = field_text(node) if role in ("text", "entry") else ""
                lines.append("  %s%s %r%s" % ("  " * depth, role, name,
                                              " = %r" % text if text else ""))
    return "\n".join(lines)


def demo_series(folder):
    """First and last file of the longest numbered BMP series in folder."""
    series = {}
    for entry in os.listdir(folder):
        match = re.fullmatch(r"(.*?)(\d+)\.(BMP|bmp)", entry)
        if match:
            series.setdefault(match.group(1), []).append((int(match.group(2)), entry))
    if not series:
        raise Failure("no BMP series in " + folder)
    files = sorted(max(series.values(), key=len))
    return files[0][1], files[-1][1]


def read_cfg(path):
    with open(path, "rb") as stream:
        data = stream.read()
    if b"\n" in data.replace(b"\r\n", b""):
        raise Failure("%s has lines not ended by CR LF" % path)
    values = {}
    for line in data.decode("gb18030").split("\r\n"):
        parts = line.split(None, 1)
        if len(parts) == 2:
            values[parts[0]] = parts[1].strip()
    return values


def check_cfg(path):
    values = read_cfg(path)
    wanted = {"Calibration2DInterval": int(INTERVAL), "Calibration2DFrames": int(FRAME_RATE)}
    for key, value in wanted.items():
        if key not in values or int(values[key]) != value:
            raise Failure("%s: %s is %r, want %d" % (path, key, values.get(key), value))
    length = values.get("Calibration2DLength")
    if length is None or abs(float(length) - SCALE) > 1e-9:
        raise Failure("%s: Calibration2DLength is %r, want %g" % (path, length, SCALE))
    log("KOVA.CFG: Calibration2DLength %s, Calibration2DInterval %s, Calibration2DFrames %s"
        % (length, values["Calibration2DInterval"], values["Calibration2DFrames"]))


def view_pixels(frame):
    """A 5 x 5 grid of screen colours over the image window inside frame,
    or None without ImageMagick's import."""
    window = next((n for n, depth in walk(frame) if depth > 0 and showing(n) and
                   n.getRole() in (pyatspi.ROLE_FRAME, pyatspi.ROLE_INTERNAL_FRAME)), None)
    if window is None:
        raise Failure("no image window in the main window")
    box = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if box.width < 40 or box.height < 60:
        raise Failure("the image window is only %dx%d" % (box.width, box.height))
    pixels = []
    for row in range(5):
        for column in range(5):
            # Below the window's title bar, inside its borders.
            x = box.x + box.width * (column + 1) // 6
            y = box.y + 30 + (box.height - 30) * (row + 1) // 6
            try:
                out = subprocess.run(["import", "-window", "root", "-crop", "1x1+%d+%d" % (x, y),
                                      "-depth", "8", "txt:-"], capture_output=True, text=True,
                                     timeout=10).stdout
            except OSError:
                return None
            match = re.search(r"#([0-9A-Fa-f]{6})", out)
            if not match:
                raise Failure("cannot read the screen at %d,%d: %r" % (x, y, out))
            value = int(match.group(1), 16)
            pixels.append((value >> 16, (value >> 8) & 255, value & 255))
    return pixels


def grey(pixels):
    return all(r == g == b for r, g, b in pixels)


def find_application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        if safe(lambda: app.get_process_id()) == pid:
            return app
    return None


def run(args, process):
    folder = args.folder
    first, last = demo_series(folder)
    before = read_cfg(os.path.join(folder, "KOVA.CFG"))
    if before.get("Calibration2DInterval") == INTERVAL:
        raise Failure("the demo configuration already holds the interval the test sets")

    app = wait_for("kova on the accessibility bus", lambda: find_application(process.pid), 40)
    log("found application %r" % app.name)
    frame = wait_for("the main window",
                     lambda: next((w for w in children(app)
                                   if w.getRole() == pyatspi.ROLE_FRAME and showing(w)), None))
    log("main window %r" % frame.name)

    start_screen = view_pixels(frame)
    if start_screen is not None and grey(start_screen):
        raise Failure("the start screen is grey already: the image check would prove nothing")

    # 运动图像: the file dialog opens modal, so the call may not return.
    choose_menu(frame, "图像", "运动图像", may_block=True)
    name_field = find(app, TEXT_ROLES, args.file_name_field, where=" in the file dialog")
    dialog = wait_for("the file dialog",
                      lambda: next((w for w in children(app) if showing(w)
                                    and w.getRole() in WINDOW_ROLES
                                    and find_all(w, TEXT_ROLES, args.file_name_field)), None))
    open_button = find(dialog, BUTTON_ROLES, args.open_button, where=" in the file dialog")
    # First into the demo folder, as a user would type it.
    set_text(name_field, folder, "the file name field")
    press(open_button, "the open button")
    wait_for("the file dialog to enter " + folder, lambda: field_text(name_field) == "", 10)
    set_text(name_field, '"%s" "%s"' % (first, last), "the file name field")
    press(open_button, "the open button")
    wait_for("the file dialog to close", lambda: not showing(dialog) or
             safe(lambda: dialog.getRole()) is None, 15)
    # A refusal would come as a message box; the demo image is grey.
    time.sleep(0.5)
    others = [w for w in children(app) if showing(w) and w.getRole() != pyatspi.ROLE_FRAME]
    if others:
        raise Failure("a window came up after choosing the series: %r" % others[0].name)
    if start_screen is None:
        log("ImageMagick's import is missing: the shown image is not checked")
    else:
        wait_for("the grey demo image in the image window", lambda: grey(view_pixels(frame)), 10)
        log("the image window shows the grey demo image")

    # 2D比例标定: a modeless dialog.
    choose_menu(frame, "图像", "2D比例标定")
    calibration = find(app, {pyatspi.ROLE_DIALOG}, "2D 标定", where=" (the calibration dialog)")
    where = " in the dialog 2D 标定"
    fields = [("读取间隔", INTERVAL), ("拍摄帧数 / 单位时间", FRAME_RATE),
              ("图像距离", IMAGE_DISTANCE), ("实际距离", REAL_DISTANCE)]
    for name, value in fields:
        set_text(find(calibration, TEXT_ROLES, name, where=where), value, "field " + name)
    press(find(calibration, BUTTON_ROLES, "计算比例", where=where), "计算比例")
    find(calibration, {pyatspi.ROLE_LABEL}, SCALE_TEXT, seconds=5,
         where=" (the computed scale)" + where)
    press(find(calibration, BUTTON_ROLES, "确定", where=where), "确定")
    wait_for("the dialog 2D 标定 to close",
             lambda: not [w for w in children(app) if showing(w)
                          and label_of(safe(lambda w=w: w.name, "")) == "2D 标定"], 10)

    # 退出: the program ends, so the call may not return.
    choose_menu(frame, "文件", "退出", may_block=True)
    try:
        code = process.wait(timeout=max(1.0, min(20.0, CLOCK.left())))
    except subprocess.TimeoutExpired:
        raise Failure("kova did not end after 文件/退出")
    if code != 0:
        raise Failure("kova ended with status %d" % code)
    check_cfg(os.path.join(folder, "KOVA.CFG"))


def screenshot(path):
    if not path:
        return
    for command in (["import", "-window", "root", path + ".png"],
                    ["xwd", "-root", "-silent", "-out", path + ".xwd"]):
        try:
            subprocess.run(command, timeout=15, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            log("screenshot " + command[-1])
            return
        except (OSError, subprocess.SubprocessError):
            continue


def stop(process):
    if process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout=3)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait(timeout=5)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--kova", required=True, help="the kova program")
    parser.add_argument("--folder", required=True, help="folder with the demo series")
    parser.add_argument("--screenshot", help="where to put a screenshot on failure "
                        "(without suffix)")
    parser.add_argument("--log", help="kova's output goes here")
    parser.add_argument("--file-name-field", default="File name:",
                        help="accessible name of the file dialog's name field")
    parser.add_argument("--open-button", default="Open",
                        help="accessible name of the file dialog's open button")
    args = parser.parse_args()
    args.folder = os.path.realpath(args.folder)

    Atspi.set_timeout(CALL_TIMEOUT_MS, -1)
    env = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_QPA_PLATFORM="xcb")
    output = open(args.log, "wb") if args.log else subprocess.DEVNULL
    process = subprocess.Popen([args.kova], cwd=args.folder, env=env, stdout=output,
                               stderr=subprocess.STDOUT)
    ok = False
    try:
        run(args, process)
        ok = True
    except Failure as failure:
        print("e2e: FAILED: %s" % failure, file=sys.stderr, flush=True)
    except Exception:  # a broken test is a failed test, with its trace
        print("e2e: FAILED with an error:", file=sys.stderr)
        traceback.print_exc()
    if not ok:
        screenshot(args.screenshot)
        app = safe(lambda: find_application(process.pid))
        if app is not None:
            print("e2e: windows of kova at the failure:\n" + describe_windows(app),
                  file=sys.stderr, flush=True)
    stop(process)
    print("1 passed, 0 failed" if ok else "0 passed, 1 failed", flush=True)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
