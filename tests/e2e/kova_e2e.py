#!/usr/bin/python3
"""End-to-end test of kova driven through the accessibility bus (AT-SPI).

Runs inside an X server and a D-Bus session whose accessibility bus is up
(scripts/e2e.sh arranges that). Starts kova in a folder holding the demo
series and works it as a user would: 图像/运动图像 chooses the series in
the file dialog, 图像/2D比例标定 sets a scale through the dialog's fields,
确定 keeps it, 文件/打开2D结果文件 opens the tracked demo, 图像/帧/最后一帧
shows its last frame ("帧 60 / 60" in the status bar), 文件/退出 ends the
program; then the KOVA.CFG it wrote must hold the values. On the tracked demo
结果浏览/位置速率 opens the position window, 查看数据 its table in the text
window, which saves it as a .tr1 equal to kova-batch's; 查看图表 opens the charts;
结果浏览/结果视频表示 replays the measurement with its trajectories (播放,
停止) and 画面保存 writes frames 1 to 3 as E2E0001.BMP ... E2E0003.BMP. Every
control is found by its accessible name and role.
Prints "1 passed, 0 failed" or "0 passed, 1 failed".
"""

import argparse
import os
import re
import struct
import subprocess
import sys
import time
import traceback
import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi as R  # noqa: E402

DEADLINE = time.monotonic() + 140  # the whole run, start to verdict
CALL_TIMEOUT_MS = 5000  # one accessibility call
TRIGGER_TIMEOUT_MS = 1500  # a call that may open a modal dialog and not return

# What the calibration dialog gets and what KOVA.CFG must then hold.
INTERVAL, FRAME_RATE, IMAGE_DISTANCE, REAL_DISTANCE = "3", "120", "250", "1000"
SCALE, SCALE_TEXT = 4.0, "4.000"  # real distance / image distance

TEXT_ROLES = {R.ROLE_TEXT, R.ROLE_ENTRY}
BUTTON_ROLES = {R.ROLE_PUSH_BUTTON}
WINDOW_ROLES = {R.ROLE_DIALOG, R.ROLE_FILE_CHOOSER, R.ROLE_WINDOW, R.ROLE_FRAME, R.ROLE_ALERT}
# Long lists (the file dialog's files) hold nothing the test looks for.
SKIP_INSIDE = {R.ROLE_TABLE, R.ROLE_TREE_TABLE, R.ROLE_TREE, R.ROLE_LIST, R.ROLE_LIST_BOX}
ROLE_NAMES = {frozenset(TEXT_ROLES): "text field", frozenset(BUTTON_ROLES): "push button",
              frozenset({R.ROLE_MENU_ITEM}): "menu item", frozenset({R.ROLE_LABEL}): "label"}

class Failure(Exception):
    pass

def log(message):
    print("e2e: " + message, flush=True)

def safe(getter, default=None):
    try:
        return getter()
    except (GLib.Error, RuntimeError, AttributeError, TypeError):
        return default

def role(node):
    return safe(lambda: node.getRole())

def label(node_or_name):
    """A visible text as a user reads it: no mnemonic (图像(I)), no dots."""
    name = node_or_name if isinstance(node_or_name, str) else safe(lambda: node_or_name.name)
    text = re.sub(r"\([A-Za-z0-9]\)$", "", (name or "").replace("&", "").strip())
    return re.sub(r"(\.\.\.|…)$", "", text).strip()

def children(node):
    count = safe(lambda: node.childCount, 0) or 0
    return [c for c in (safe(lambda i=i: node.getChildAtIndex(i)) for i in range(count))
            if c is not None]

def showing(node):
    states = safe(lambda: node.getState())
    return states is not None and states.contains(R.STATE_SHOWING)

def walk(node, depth=0):
    yield node, depth
    if depth <= 30 and role(node) not in SKIP_INSIDE:
        for child in children(node):
            yield from walk(child, depth + 1)

def first(nodes, test):
    """The first node that passes test (a node that cannot answer fails)."""
    return next((n for n in nodes if safe(lambda n=n: test(n))), None)

def window(app, test):
    """The first shown top-level window of app that passes test."""
    return first(children(app), lambda w: showing(w) and test(w))

def named(root, roles, name):
    return [n for n, _ in walk(root) if role(n) in roles and label(n) == label(name)]

def wait_for(what, probe, seconds=15.0):
    """Polls probe until it gives something true; fails naming what."""
    end = min(time.monotonic() + seconds, DEADLINE)
    while not (result := safe(probe)):
        if time.monotonic() >= end:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.2)
    return result

def find(root, roles, name, seconds=15.0, where="", only_showing=True):
    """The one control of the given role and accessible name."""
    what = ROLE_NAMES.get(frozenset(roles), "/".join(sorted(str(r) for r in roles)))
    try:
        return wait_for("the %s %r%s" % (what, name, where), lambda: first(
            named(root, roles, name), lambda n: not only_showing or showing(n)), seconds)
    except Failure:
        raise Failure("control not found: %s named %r%s" % (what, name, where))

def do_action(node, names, what, may_block=False):
    """Runs the first of the named actions (a modal dialog opened by it
    keeps the call from returning: then the call is left behind)."""
    action = safe(lambda: node.queryAction())
    if action is None:
        raise Failure("%s has no actions" % what)
    available = [action.getName(i) for i in range(action.nActions)]
    index = next((available.index(n) for n in names if n in available), None)
    if index is None:
        raise Failure("%s offers none of the actions %s (has %s)" % (what, names, available))
    Atspi.set_timeout(TRIGGER_TIMEOUT_MS if may_block else CALL_TIMEOUT_MS, -1)
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

def field_text(node):
    return safe(lambda: node.queryText().getText(0, -1), "")

def set_text(node, value, what):
    log("type %r into %s" % (value, what))
    safe(lambda: node.grabFocus())
    editable = safe(lambda: node.queryEditableText())
    if editable is None:
        raise Failure("%s is not an editable text field" % what)
    editable.setTextContents(value)
    wait_for("%s to read %r" % (what, value), lambda: field_text(node) == value, 5)

def choose_menu(frame, menu_name, item_name, may_block=False):
    """Chooses menu_name/item_name; item_name may hold a submenu: "帧/最后一帧"."""
    menu = wait_for("the menu bar of the main window", lambda: first(
        (n for n, _ in walk(frame)), lambda n: n.getRole() == R.ROLE_MENU_BAR))
    path = [menu_name] + item_name.split("/")
    for depth, name in enumerate(path[:-1]):
        where = " in the menu bar" if depth == 0 else " in menu " + "/".join(path[:depth])
        menu = find(menu, {R.ROLE_MENU, R.ROLE_MENU_ITEM}, name, where=where, only_showing=False)
        log("open menu " + "/".join(path[:depth + 1]))
        do_action(menu, ["ShowMenu", "showMenu", "Press"], "menu " + name)
    item = find(menu, {R.ROLE_MENU_ITEM}, path[-1], where=" in menu " + "/".join(path[:-1]),
                only_showing=False)
    press(item, "menu item " + "/".join(path), may_block)

def shot(args, name):
    """A screenshot kept in the build folder for a person to look at."""
    if args.shots:
        subprocess.run(["import", "-window", "root", "%s-%s.png" % (args.shots, name)],
                       timeout=15, check=False)

def open_files(app, args, names, shot_name=None, stays_open=()):
    """Types the folder, then the names, into Qt's file dialog and opens;
    no window may come up but the main window and those named in stays_open."""
    name_label = args.file_name_field
    name_field = find(app, TEXT_ROLES, name_label, where=" in the file dialog")
    dialog = wait_for("the file dialog", lambda: window(app, lambda w: role(w) in WINDOW_ROLES
                                                        and named(w, TEXT_ROLES, name_label)))
    open_button = find(dialog, BUTTON_ROLES, args.open_button, where=" in the file dialog")
    if shot_name:
        shot(args, shot_name)
    set_text(name_field, args.folder, "the file name field")
    press(open_button, "the open button")
    wait_for("the file dialog to enter " + args.folder, lambda: field_text(name_field) == "", 10)
    set_text(name_field, names, "the file name field")
    press(open_button, "the open button")
    wait_for("the file dialog to close", lambda: not showing(dialog) or role(dialog) is None, 15)
    # A refusal or a question would come as a message box.
    time.sleep(0.5)
    other = window(app, lambda w: w.getRole() != R.ROLE_FRAME and label(w) not in stays_open)
    if other is not None:
        raise Failure("a window came up after opening %s: %r" % (names, other.name))

def save_file(app, args, path):
    """Types a whole path into Qt's save dialog and saves."""
    name_field = find(app, TEXT_ROLES, args.file_name_field, where=" in the save dialog")
    dialog = wait_for("the save dialog", lambda: window(app, lambda w: role(w) in WINDOW_ROLES
                                                        and named(w, TEXT_ROLES,
                                                                  args.file_name_field)))
    save_button = find(dialog, BUTTON_ROLES, args.save_button, where=" in the save dialog")
    set_text(name_field, path, "the file name field")
    press(save_button, "the save button")
    wait_for("the save dialog to close", lambda: not showing(dialog) or role(dialog) is None, 15)

def check_position_table(app, frame, args):
    """位置速率, 查看数据, the text window's save, 查看图表."""
    choose_menu(frame, "结果浏览", "位置速率")
    dialog = find(app, {R.ROLE_DIALOG}, "位置 / 速率", where=" (the position window)")
    press(find(dialog, BUTTON_ROLES, "查看数据", where=" in 位置 / 速率"), "查看数据")
    viewer = wait_for("the text window 位置 / 速度", lambda: window(
        app, lambda w: role(w) == R.ROLE_FRAME and label(w) == "位置 / 速度"))
    text = find(viewer, TEXT_ROLES | {R.ROLE_DOCUMENT_TEXT}, "结果文本", where=" in the text window")
    if "坐标X" not in field_text(text):
        raise Failure("the text window does not show the position table")
    saved = os.path.join(args.folder, "E2E.tr1")
    choose_menu(viewer, "文件", "保存", may_block=True)
    save_file(app, args, saved)
    expected = os.path.join(args.folder, "REF.tr1")
    wait_for("the saved table " + saved, lambda: os.path.exists(saved), 10)
    with open(saved, "rb") as got, open(expected, "rb") as want:
        if got.read() != want.read():
            raise Failure("%s differs from kova-batch's %s" % (saved, expected))
    log("the saved table equals kova-batch table position")
    choose_menu(viewer, "文件", "关闭")
    press(find(dialog, BUTTON_ROLES, "查看图表", where=" in 位置 / 速率"), "查看图表")
    wait_for("the chart window", lambda: window(
        app, lambda w: role(w) == R.ROLE_FRAME and label(w) == "位置 / 速度"))
    shot(args, "charts")
    log("the chart window is shown")

def panel_frame_text(panel):
    """The video control panel's "帧 N (i / n)" line."""
    return next((label(n) for n, _ in walk(panel) if role(n) == R.ROLE_LABEL and
                 label(n).startswith("帧 ")), "")

def check_result_video(app, frame, args):
    """结果视频表示 with trajectories on: play, stop, 画面保存 of frames 1 to 3."""
    choose_menu(frame, "结果浏览", "结果视频表示")
    dialog = find(app, {R.ROLE_DIALOG}, "结果视频显示", where=" (the result video window)")
    panel = find(app, {R.ROLE_DIALOG}, "视频控制", where=" (the video control panel)")
    where = " in 结果视频显示"
    trajectories = find(dialog, {R.ROLE_CHECK_BOX}, "显示轨迹", where=where)
    if not safe(lambda: trajectories.getState().contains(R.STATE_CHECKED)):
        raise Failure("显示轨迹 is not set when the window opens")
    start = wait_for("the panel's frame line", lambda: panel_frame_text(panel), 10)
    press(find(panel, BUTTON_ROLES, "播放", where=" in 视频控制"), "播放")
    wait_for("the replay to move on from " + start, lambda: panel_frame_text(panel) != start, 10)
    press(find(panel, BUTTON_ROLES, "停止", where=" in 视频控制"), "停止")
    shot(args, "result-video")
    log("the replay ran: %s, then %s" % (start, panel_frame_text(panel)))
    set_text(find(dialog, TEXT_ROLES, "终止帧", where=where), "3", "field 终止帧")
    press(find(dialog, BUTTON_ROLES, "帧选择", where=where), "帧选择")
    apply = find(dialog, BUTTON_ROLES, "执行设定", where=where)
    wait_for("执行设定 to be enabled by the new selection",
             lambda: apply.getState().contains(R.STATE_ENABLED), 10)
    press(apply, "执行设定")
    press(find(dialog, BUTTON_ROLES, "画面保存", where=where), "画面保存", may_block=True)
    save_file(app, args, os.path.join(args.folder, "E2E0001.BMP"))
    done = wait_for("the message 图象保存结束。", lambda: window(
        app, lambda w: named(w, {R.ROLE_LABEL}, "图象保存结束。")), 20)
    press(first((n for n, _ in walk(done) if role(n) in BUTTON_ROLES), lambda n: True),
          "the message's button")
    saved = ["E2E%04d.BMP" % n for n in (1, 2, 3)]
    missing = [name for name in saved if not os.path.exists(os.path.join(args.folder, name))]
    if missing or os.path.exists(os.path.join(args.folder, "E2E0004.BMP")):
        raise Failure("画面保存 of frames 1 to 3 wrote %s" % sorted(
            n for n in os.listdir(args.folder) if n.startswith("E2E") and n.endswith(".BMP")))
    log("画面保存 wrote " + ", ".join(saved))
    press(find(dialog, BUTTON_ROLES, "关闭", where=where), "关闭")
    wait_for("the window 结果视频显示 to close",
             lambda: window(app, lambda w: label(w) == "结果视频显示") is None, 10)

def check_stick_figures(app, frame, args):
    """连接线图一览: 设置连接线 keeps the lines with 确认, 查看 shows the figures."""
    choose_menu(frame, "结果浏览", "连接线图一览")
    dialog = find(app, {R.ROLE_DIALOG}, "连接线一览表", where=" (the stick-figure list)")
    where = " in 连接线一览表"
    press(find(dialog, BUTTON_ROLES, "设置连接线", where=where), "设置连接线", may_block=True)
    editor = find(app, {R.ROLE_DIALOG}, "连接线设定", where=" (the connection line editor)")
    press(find(editor, BUTTON_ROLES, "确认", where=" in 连接线设定"), "确认")
    wait_for("the dialog 连接线设定 to close",
             lambda: window(app, lambda w: label(w) == "连接线设定") is None, 10)
    press(find(dialog, BUTTON_ROLES, "查看", where=where), "查看")
    wait_for("the window 连接线一览", lambda: window(
        app, lambda w: role(w) == R.ROLE_FRAME and label(w) == "连接线一览"), 10)
    shot(args, "stick-figures")
    log("the stick figures are shown")

def answer_message(app, text, button_names, may_block=False):
    """Presses a button of the message box that shows text."""
    box = wait_for("the message " + text, lambda: window(
        app, lambda w: named(w, {R.ROLE_LABEL}, text)), 15)
    button = first((n for n, _ in walk(box) if role(n) in BUTTON_ROLES),
                   lambda n: label(n) in button_names)
    if button is None:
        raise Failure("the message %s has none of the buttons %r" % (text, button_names))
    press(button, "the button %s of the message" % label(button), may_block)

def check_smoothing_undo(app, frame, args):
    """平滑化, then 撤销 平滑化: the saved .TRK holds the bytes from before."""
    choose_menu(frame, "结果修正", "平滑化", may_block=True)
    answer_message(app, "执行平滑处理。", ("OK", "确定"), may_block=True)
    answer_message(app, "平滑处理成功。", ("OK", "确定"))
    choose_menu(frame, "结果修正", "撤销 平滑化")
    saved = os.path.join(args.folder, "UNDONE.TRK")
    choose_menu(frame, "文件", "保存2D结果修正文件", may_block=True)
    save_file(app, args, saved)
    wait_for("the saved measurement " + saved, lambda: os.path.exists(saved), 10)
    with open(saved, "rb") as got, open(os.path.join(args.folder, "DEMO.TRK"), "rb") as want:
        if got.read() != want.read():
            raise Failure("%s after 平滑化 and 撤销 differs from DEMO.TRK" % saved)
    log("平滑化 then 撤销 saves the bytes of DEMO.TRK")

def check_manual_measurement(app, frame, args):
    """运动测量/手动测量 on the first three demo images: two targets clicked in
    each frame, 追踪结束。 without 停止; the .TRK read back holds the six
    clicks in frame order, each (12, 6) screen pixels on from the one before."""
    names = sorted(n for n in os.listdir(args.folder) if re.fullmatch(r".*\d+\.BMP", n))[:3]
    choose_menu(frame, "图像", "运动图像", may_block=True)
    # The dialog starts in the demo folder, where the sequence came from.
    name_field = find(app, TEXT_ROLES, args.file_name_field, where=" in the file dialog")
    set_text(name_field, '"%s" "%s"' % (names[0], names[-1]), "the file name field")
    press(find(app, BUTTON_ROLES, args.open_button, where=" in the file dialog"), "the open button")
    wait_for("the file dialog to close", lambda: not showing(name_field), 15)
    choose_menu(frame, "运动测量", "手动测量")
    dialog = find(app, {R.ROLE_DIALOG}, "轨迹测量", where=" (the manual measurement window)")
    where = " in 轨迹测量"
    result = os.path.join(args.folder, "MANUAL.TRK")
    press(find(dialog, BUTTON_ROLES, "选择结果文件", where=where), "选择结果文件", may_block=True)
    save_file(app, args, result)
    set_text(find(dialog, TEXT_ROLES, "目标个数", where=where), "2", "field 目标个数")
    press(find(dialog, BUTTON_ROLES, "执行", where=where), "执行", may_block=True)
    # The new sequence left the opened measurement changed: 执行 asks first.
    answer_message(app, "前面修正内容不保存更新。\n OK !", ("OK", "确定"), may_block=True)
    find(dialog, {R.ROLE_LABEL}, "输入坐标 帧 1 : ID 1", seconds=5, where=where)
    # The windows of the earlier steps cover the image: the main window goes
    # on top (there is no window manager to do it).
    subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^%s$" % re.escape(frame.name),
                    "windowraise", "%@"], timeout=10, check=False, stdout=subprocess.DEVNULL)
    view = first((n for n, depth in walk(frame) if depth > 0), lambda n: showing(n) and
                 n.getRole() in (R.ROLE_FRAME, R.ROLE_INTERNAL_FRAME))
    box = view.queryComponent().getExtents(R.DESKTOP_COORDS)
    x0, y0 = box.x + box.width // 3, box.y + 30 + (box.height - 30) // 3
    for k in range(6):
        if k == 5:  # the last click finishes: its message box is modal
            Atspi.set_timeout(TRIGGER_TIMEOUT_MS, -1)
        Atspi.generate_mouse_event(x0 + 12 * k, y0 + 6 * k, "b1c")
        Atspi.set_timeout(CALL_TIMEOUT_MS, -1)
        if k < 5:
            find(dialog, {R.ROLE_LABEL}, "输入坐标 帧 %d : ID %d" % ((k + 1) // 2 + 1,
                                                                 (k + 1) % 2 + 1),
                 seconds=5, where=where)
    answer_message(app, "追踪结束。", ("OK", "确定"))
    with open(result, "rb") as stream:
        data = stream.read()
    frames, targets = struct.unpack_from("<hh", data, 0)
    if (frames, targets) != (3, 2) or len(data) != 86 + 6 * 10:
        raise Failure("%s holds %d frames of %d targets in %d bytes" % (result, frames, targets,
                                                                       len(data)))
    points = [struct.unpack_from("<hff", data, 86 + 10 * i) for i in range(6)]
    if any(p[0] != 0 for p in points) or any(
            (b[1] - a[1], b[2] - a[2]) != (12, 6) for a, b in zip(points, points[1:])):
        raise Failure("%s holds the points %r, not the clicks" % (result, points))
    close = find(dialog, BUTTON_ROLES, "关闭", where=where)
    wait_for("关闭 to be enabled after input", lambda: close.getState().contains(R.STATE_ENABLED))
    press(close, "关闭")
    wait_for("the window 轨迹测量 to close",
             lambda: window(app, lambda w: label(w) == "轨迹测量") is None, 10)
    log("手动测量 of 2 targets x 3 frames by clicks: %s read back" % result)

def describe_windows(app, seconds=10.0):
    """The shown windows with their texts, for the failure report."""
    end, lines = time.monotonic() + seconds, []
    for top in (w for w in children(app) if showing(w)):
        if time.monotonic() > end:
            lines.append("(cut short)")
            break
        lines.append("window %s %r" % (safe(lambda: top.getRoleName()), safe(lambda: top.name)))
        for node, depth in walk(top):
            if time.monotonic() > end:
                break
            name, kind = safe(lambda: node.name, ""), safe(lambda: node.getRoleName(), "?")
            if node is top or depth > 8 or kind == "menu item" or not (
                    name or kind in ("text", "entry", "push button")):
                continue
            text = field_text(node) if kind in ("text", "entry") else ""
            lines.append("  %s%s %r%s" % ("  " * depth, kind, name,
                                          " = %r" % text if text else ""))
    return "\n".join(lines)

def check_automatic_measurement(app, frame, args):
    """运动测量/自动测量 on the whole demo series: 自动取点 and 确定 on its
    question, 运行 and confirm; the .TRK equals kova-batch track --pickup's
    on the same series and configuration, and the measurement is reloaded."""
    first_file, last_file = demo_series(args.folder)
    choose_menu(frame, "图像", "运动图像", may_block=True)
    # The dialog starts in the demo folder, where the sequence came from.
    name_field = find(app, TEXT_ROLES, args.file_name_field, where=" in the file dialog")
    set_text(name_field, '"%s" "%s"' % (first_file, last_file), "the file name field")
    press(find(app, BUTTON_ROLES, args.open_button, where=" in the file dialog"), "the open button")
    wait_for("the file dialog to close", lambda: not showing(name_field), 15)
    choose_menu(frame, "运动测量", "自动测量")
    dialog = find(app, {R.ROLE_DIALOG}, "追踪", where=" (the tracking window)")
    where = " in 追踪"
    result = os.path.join(args.folder, "AUTO.TRK")
    press(find(dialog, BUTTON_ROLES, "选择结果文件", where=where), "选择结果文件", may_block=True)
    save_file(app, args, result)
    group = wait_for("the group 目标设定", lambda: first(
        (n for n, _ in walk(dialog)), lambda n: label(n) == "目标设定"))
    log("toggle 目标设定 自动")
    do_action(find(group, {R.ROLE_RADIO_BUTTON}, "自动", where=" in 目标设定"),
              ["Toggle", "Press", "click"], "目标设定 自动")
    pickup = find(dialog, BUTTON_ROLES, "自动取点", where=where)
    wait_for("自动取点 to be enabled", lambda: pickup.getState().contains(R.STATE_ENABLED))
    press(pickup, "自动取点", may_block=True)
    box = wait_for("the pickup question", lambda: window(app, lambda w: first(
        (n for n, _ in walk(w)), lambda n: role(n) == R.ROLE_LABEL and
        label(n).endswith("个点被提取,正确吗?"))))
    count = int(first((n for n, _ in walk(box)), lambda n: role(n) == R.ROLE_LABEL and
                      label(n).endswith("个点被提取,正确吗?")).name.split()[0])
    answer_message(app, "%d 个点被提取,正确吗?" % count, ("OK", "确定"))
    run_button = find(dialog, BUTTON_ROLES, "运行", where=where)
    press(run_button, "运行", may_block=True)
    time.sleep(0.5)
    if window(app, lambda w: named(w, {R.ROLE_LABEL}, "前面修正内容不保存更新。\n OK !")):
        answer_message(app, "前面修正内容不保存更新。\n OK !", ("OK", "确定"), may_block=True)
    answer_message(app, "请检查追踪窗口和目标。 \n OK !", ("OK", "确定"))
    wait_for("the run to end", lambda: os.path.exists(result) and
             run_button.getState().contains(R.STATE_ENABLED), 30)
    expected = os.path.join(args.folder, "AUTO-BATCH.TRK")
    batch = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(args.kova))), "cli",
                         "kova-batch")
    subprocess.run([batch, "--cfg", os.path.join(args.folder, "KOVA.CFG"), "track", "--series",
                    os.path.join(args.folder, first_file), os.path.join(args.folder, last_file),
                    "--out", expected, "--pickup"], timeout=30, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(result, "rb") as got, open(expected, "rb") as want:
        if got.read() != want.read():
            raise Failure("%s differs from kova-batch track --pickup's %s" % (result, expected))
    shot(args, "auto-measure")
    press(find(dialog, BUTTON_ROLES, "关闭", where=where), "关闭")
    wait_for("the window 追踪 to close",
             lambda: window(app, lambda w: label(w) == "追踪") is None, 10)
    log("自动测量 of %d picked targets: %s equals kova-batch's" % (count, result))

def demo_series(folder):
    """First and last file of the longest numbered BMP series in folder."""
    series = {}
    for match in filter(None, map(re.compile(r"(.*?)(\d+)\.(BMP|bmp)").fullmatch,
                                  os.listdir(folder))):
        series.setdefault(match.group(1), []).append((int(match.group(2)), match.group(0)))
    if not series:
        raise Failure("no BMP series in " + folder)
    files = sorted(max(series.values(), key=len))
    return files[0][1], files[-1][1]

def read_cfg(path):
    with open(path, "rb") as stream:
        data = stream.read()
    if b"\n" in data.replace(b"\r\n", b""):
        raise Failure("%s has lines not ended by CR LF" % path)
    parts = (line.split(None, 1) for line in data.decode("gb18030").split("\r\n"))
    return {p[0]: p[1].strip() for p in parts if len(p) == 2}

def check_cfg(path):
    values = read_cfg(path)
    for key, want in (("Calibration2DInterval", int(INTERVAL)),
                      ("Calibration2DFrames", int(FRAME_RATE)), ("Calibration2DLength", SCALE)):
        value = values.get(key)
        if value is None or abs(type(want)(value) - want) > 1e-9:
            raise Failure("%s: %s is %r, want %g" % (path, key, value, want))
    log("KOVA.CFG: " + ", ".join("%s %s" % (key, values[key]) for key in (
        "Calibration2DLength", "Calibration2DInterval", "Calibration2DFrames")))

def view_is_grey(frame):
    """Whether a 5 x 5 grid of screen points over the image window inside
    frame is grey, or None without ImageMagick's import."""
    view = first((n for n, depth in walk(frame) if depth > 0), lambda n: showing(n) and
                 n.getRole() in (R.ROLE_FRAME, R.ROLE_INTERNAL_FRAME))
    if view is None:
        raise Failure("no image window in the main window")
    box = view.queryComponent().getExtents(R.DESKTOP_COORDS)
    if box.width < 40 or box.height < 60:
        raise Failure("the image window is only %dx%d" % (box.width, box.height))
    grey = True
    # Below the window's title bar, inside its borders.
    for x, y in [(box.x + box.width * column // 6, box.y + 30 + (box.height - 30) * row // 6)
                 for row in range(1, 6) for column in range(1, 6)]:
        try:
            out = subprocess.run(["import", "-window", "root", "-crop", "1x1+%d+%d" % (x, y),
                                  "-depth", "8", "txt:-"], capture_output=True, text=True,
                                 timeout=10).stdout
        except OSError:
            return None
        match = re.search(r"#([0-9A-Fa-f]{2})([0-9A-Fa-f]{2})([0-9A-Fa-f]{2})", out)
        if not match:
            raise Failure("cannot read the screen at %d,%d: %r" % (x, y, out))
        grey = grey and len(set(match.groups())) == 1
    return grey

def find_application(pid):
    return first(children(R.Registry.getDesktop(0)), lambda app: app.get_process_id() == pid)

def run(args, process):
    folder = args.folder
    first_file, last_file = demo_series(folder)
    if read_cfg(os.path.join(folder, "KOVA.CFG")).get("Calibration2DInterval") == INTERVAL:
        raise Failure("the demo configuration already holds the interval the test sets")
    app = wait_for("kova on the accessibility bus", lambda: find_application(process.pid), 40)
    log("found application %r" % app.name)
    frame = wait_for("the main window", lambda: window(app, lambda w: w.getRole() == R.ROLE_FRAME))
    log("main window %r" % frame.name)
    start_grey = view_is_grey(frame)
    if start_grey:
        raise Failure("the start screen is grey already: the image check would prove nothing")
    # 运动图像: the file dialog opens modal, so the call may not return.
    choose_menu(frame, "图像", "运动图像", may_block=True)
    open_files(app, args, '"%s" "%s"' % (first_file, last_file), "file-dialog")
    # The demo image is grey.
    if start_grey is None:
        log("ImageMagick's import is missing: the shown image is not checked")
    else:
        wait_for("the grey demo image in the image window", lambda: view_is_grey(frame), 10)
        log("the image window shows the grey demo image")
    # The tracked demo (its calibration becomes the system calibration): its last frame with the markers at their points.
    choose_menu(frame, "文件", "打开2D结果文件", may_block=True)
    open_files(app, args, "DEMO.TRK")
    choose_menu(frame, "图像", "帧/最后一帧")
    find(frame, {R.ROLE_LABEL}, "帧 60 / 60", seconds=10, where=" in the status bar")
    log("the status bar reads 帧 60 / 60")
    shot(args, "last-frame")
    check_position_table(app, frame, args)
    check_result_video(app, frame, args)
    check_stick_figures(app, frame, args)
    check_smoothing_undo(app, frame, args)
    check_manual_measurement(app, frame, args)
    check_automatic_measurement(app, frame, args)
    # 2D比例标定: a modeless dialog.
    choose_menu(frame, "图像", "2D比例标定")
    calibration = find(app, {R.ROLE_DIALOG}, "2D 标定", where=" (the calibration dialog)")
    where = " in the dialog 2D 标定"
    for name, value in (("读取间隔", INTERVAL), ("拍摄帧数 / 单位时间", FRAME_RATE),
                        ("图像距离", IMAGE_DISTANCE), ("实际距离", REAL_DISTANCE)):
        set_text(find(calibration, TEXT_ROLES, name, where=where), value, "field " + name)
    press(find(calibration, BUTTON_ROLES, "计算比例", where=where), "计算比例")
    find(calibration, {R.ROLE_LABEL}, SCALE_TEXT, seconds=5, where=" (the computed scale)" + where)
    press(find(calibration, BUTTON_ROLES, "确定", where=where), "确定")
    wait_for("the dialog 2D 标定 to close",
             lambda: window(app, lambda w: label(w) == "2D 标定") is None, 10)
    # 退出: the program ends, so the call may not return.
    choose_menu(frame, "文件", "退出", may_block=True)
    try:
        code = process.wait(timeout=max(1.0, min(20.0, DEADLINE - time.monotonic())))
    except subprocess.TimeoutExpired:
        raise Failure("kova did not end after 文件/退出")
    if code != 0:
        raise Failure("kova ended with status %d" % code)
    check_cfg(os.path.join(folder, "KOVA.CFG"))

def passes(test, *test_args):
    """Runs a test; True when it passed, else False with the failure printed."""
    try:
        test(*test_args)
        return True
    except Failure as failure:
        print("e2e: FAILED: %s" % failure, file=sys.stderr, flush=True)
    except Exception:  # a broken test is a failed test, with its trace
        print("e2e: FAILED with an error:", file=sys.stderr)
        traceback.print_exc()
    return False

def stop(process):
    """Ends a program the test started, if it still runs."""
    if process.poll() is None:
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
    parser.add_argument("--screenshot", help="where to put a screenshot on failure (no suffix)")
    parser.add_argument("--log", help="kova's output goes here")
    parser.add_argument("--shots", help="prefix of the screenshots kept for a person")
    parser.add_argument("--file-name-field", default="文件名称(N)：",
                        help="file dialog name field")
    parser.add_argument("--open-button", default="打开", help="file dialog open button")
    parser.add_argument("--save-button", default="保存", help="save dialog save button")
    args = parser.parse_args()
    args.folder = os.path.realpath(args.folder)
    Atspi.set_timeout(CALL_TIMEOUT_MS, -1)
    env = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_QPA_PLATFORM="xcb")
    output = open(args.log, "wb") if args.log else subprocess.DEVNULL
    process = subprocess.Popen([args.kova], cwd=args.folder, env=env, stdout=output,
                               stderr=subprocess.STDOUT)
    ok = passes(run, args, process)
    # On failure: a screenshot and the windows kova shows.
    for command in ([["import", "-window", "root", args.screenshot + ".png"],
                     ["xwd", "-root", "-silent", "-out", args.screenshot + ".xwd"]]
                    if args.screenshot and not ok else []):
        try:
            subprocess.run(command, timeout=15, check=True, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL)
            log("screenshot " + command[-1])
            break
        except (OSError, subprocess.SubprocessError):
            continue
    app = None if ok else safe(lambda: find_application(process.pid))
    if app is not None:
        print("e2e: windows of kova at the failure:\n" + describe_windows(app), file=sys.stderr,
              flush=True)
    stop(process)
    print("1 passed, 0 failed" if ok else "0 passed, 1 failed", flush=True)
    return 0 if ok else 1

if __name__ == "__main__":
    sys.exit(main())
