#!/usr/bin/python3
"""End-to-end test of capvo, started from kova, driven through AT-SPI.

Runs where kova_e2e.py runs (scripts/e2e.sh arranges the X server and the
accessibility bus). Starts kova in the demo folder; 图像/图象采集 starts
capvo; in capvo 图像文件 loads ten files of the demo series into the frame
store (连续文件), 视频文件 saves those frames as E2ECAP.AVI, which then
stands in for a camera: 直接采集 previews it (the window's title follows)
and captures frames 1..5 into memory, PC相机采集 chooses it as its driver,
keeps its format and captures frames 1..3; 比  例 changes the rate in the
status bar, 状态窗's 伪彩色 colours the image and 灰度 makes it grey again,
像素值 follows the mouse, 系统帧设置 keeps a frame count; capvo ends with
文件/退出. Back in kova, 运动图像 opens the AVI and its last frame reads
"帧 10 / 10". Every control is found by its accessible name and role.
Prints "1 passed, 0 failed" or "0 passed, 1 failed".
"""

import argparse
import os
import subprocess
import sys
import time

import kova_e2e as k
from kova_e2e import R, Failure, log

FRAMES = 10
CAPTURED = 5  # frames captured from the stand-in camera
PC_CAPTURED = 3  # frames captured through the PC camera dialog
AVI_NAME = "E2ECAP.AVI"
SPIN_ROLES = k.TEXT_ROLES | {R.ROLE_SPIN_BUTTON}

def find_capvo():
    """The capvo application on the bus (kova starts it detached)."""
    return k.first(k.children(R.Registry.getDesktop(0)),
                   lambda app: (k.safe(lambda: app.name, "") or "").lower() == "capvo")

def load_series(capvo, frame, args, first_file, last_file):
    """图像文件: 连续文件, 浏览 the two ends of the series, 开始 1 / 结束 10, 运行."""
    k.choose_menu(frame, args.capvo_menu, "图像文件")
    dialog = k.find(capvo, {R.ROLE_DIALOG}, "位图图像文件", where=" (the image file dialog)")
    where = " in 位图图像文件"
    series = k.find(dialog, {R.ROLE_CHECK_BOX}, "连续文件", where=where)
    if not k.safe(lambda: series.getState().contains(R.STATE_CHECKED)):
        log("toggle 连续文件")
        k.do_action(series, ["Toggle", "Press", "click"], "连续文件")
    k.press(k.find(dialog, k.BUTTON_ROLES, "浏览", where=where), "浏览", may_block=True)
    # The first file from the file dialog, the last one typed in.
    k.open_files(capvo, args, first_file, stays_open=("位图图像文件",))
    k.wait_for("文件1 to read " + first_file, lambda: k.field_text(
        k.find(dialog, k.TEXT_ROLES, "文件1", where=where)) == first_file, 10)
    k.set_text(k.find(dialog, k.TEXT_ROLES, "文件2", where=where), last_file, "field 文件2")
    for name, value in (("开始", "1"), ("结束", str(FRAMES))):
        k.set_text(k.find(dialog, SPIN_ROLES, name, where=where), value, "field " + name)
    run = k.find(dialog, k.BUTTON_ROLES, "运行", where=where)
    k.press(run, "运行")
    k.wait_for("the load to end (运行 enabled again)",
               lambda: run.getState().contains(R.STATE_ENABLED), 30)
    unexpected = k.window(capvo, lambda w: k.role(w) == R.ROLE_ALERT)
    if unexpected is not None:
        raise Failure("a message came up after loading: " + describe(unexpected))
    log("图像文件 loaded %s .. %s" % (first_file, last_file))
    k.press(k.find(dialog, k.BUTTON_ROLES, "关闭", where=where), "关闭")

def describe(window):
    return " / ".join(k.label(n) for n, _ in k.walk(window) if k.role(n) == R.ROLE_LABEL)

def save_avi(capvo, frame, args, path):
    """视频文件: 保存 of store frames 1..10 as frames into path."""
    k.choose_menu(frame, args.capvo_menu, "视频文件")
    dialog = k.find(capvo, {R.ROLE_DIALOG}, "AVI 视频文件操作", where=" (the AVI dialog)")
    where = " in AVI 视频文件操作"
    save = k.find(dialog, {R.ROLE_RADIO_BUTTON}, "保存", where=where)
    log("choose 保存")
    k.do_action(save, ["Toggle", "Press", "click"], "保存")
    k.set_text(k.find(dialog, k.TEXT_ROLES, args.avi_name_field, where=where), path,
               "the AVI file name")
    for name, value in ((args.store_start_field, "1"), (args.store_end_field, str(FRAMES))):
        k.set_text(k.find(dialog, SPIN_ROLES, name, where=where), value, "field " + name)
    run = k.find(dialog, k.BUTTON_ROLES, "运行", where=where)
    k.press(run, "运行")
    k.wait_for("the AVI " + path, lambda: os.path.exists(path), 30)
    k.wait_for("the save to end (运行 enabled again)",
               lambda: run.getState().contains(R.STATE_ENABLED), 30)
    log("视频文件 saved " + path)
    k.press(k.find(dialog, k.BUTTON_ROLES, "关闭", where=where), "关闭")

def combo_text(combo):
    """A combo box's name, text and shown item, as far as it tells them."""
    texts = [k.safe(lambda: combo.name, ""), k.safe(lambda: combo.queryText().getText(0, -1), "")]
    texts += [k.safe(lambda n=n: n.name, "") for n in k.children(combo)]
    return " ".join(t or "" for t in texts)

def choose_avi_filter(app):
    """The file dialog's second file type, AVI files, chosen as a user does:
    a click on the type box, then Down and Return."""
    combo = k.wait_for("the file type box of the file dialog", lambda: k.first(
        (n for n, _ in k.walk(app)), lambda n: k.role(n) == R.ROLE_COMBO_BOX
        and k.showing(n) and ("文件类型" in (n.name or "") or "*.BMP" in combo_text(n))), 15)
    box = combo.queryComponent().getExtents(R.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2),
                    str(box.y + box.height // 2), "click", "1"], timeout=10, check=True)
    time.sleep(0.5)
    subprocess.run(["xdotool", "key", "Down", "Return"], timeout=10, check=True)
    k.wait_for("the AVI file type", lambda: any(
        "AVI" in (k.safe(lambda n=n: n.name, "") or "") for n, _ in k.walk(combo)
        if k.safe(lambda n=n: n.getState().contains(R.STATE_SELECTED))) or
        "AVI" in combo_text(combo), 5)
    log("file type: AVI")

def open_by_path(app, args, path):
    """Types a whole path into the open dialog and opens it."""
    name_field = k.find(app, k.TEXT_ROLES, args.file_name_field, where=" in the file dialog")
    dialog = k.wait_for("the file dialog", lambda: k.window(
        app, lambda w: k.role(w) in k.WINDOW_ROLES and k.named(w, k.TEXT_ROLES,
                                                               args.file_name_field)))
    # The dialog may turn a typed path into its folder and name at once.
    log("type %r into the file name field" % path)
    k.safe(lambda: name_field.grabFocus())
    name_field.queryEditableText().setTextContents(path)
    time.sleep(0.5)
    k.press(k.find(dialog, k.BUTTON_ROLES, args.open_button, where=" in the file dialog"),
            "the open button", may_block=True)
    k.wait_for("the file dialog to close",
               lambda: not k.showing(dialog) or k.role(dialog) is None, 15)

def toggle(node, what):
    log("choose " + what)
    k.do_action(node, ["Toggle", "Press", "click"], what)

def view_title(frame):
    """The title of capvo's document window: what the window is doing."""
    view = k.first((n for n, depth in k.walk(frame) if depth > 0), lambda n: k.showing(n) and
                   n.getRole() in (R.ROLE_FRAME, R.ROLE_INTERNAL_FRAME))
    return k.label(view) if view is not None else ""

def check_direct_capture(capvo, frame, args):
    """直接采集 from the stand-in camera: 预览 and 停止预览 switch the window's
    title, 捕捉 of 内存 frames 1..5 fills them."""
    k.choose_menu(frame, "采集", "直接采集")
    dialog = k.find(capvo, {R.ROLE_DIALOG}, "直接采集", where=" (the direct capture dialog)")
    where = " in 直接采集"
    toggle(k.find(dialog, {R.ROLE_RADIO_BUTTON}, "内存", where=where), "内存")
    for name, value in (("起始帧", "1"), ("终止帧", str(CAPTURED))):
        k.set_text(k.find(dialog, SPIN_ROLES, name, where=where), value, "field " + name)
    k.press(k.find(dialog, k.BUTTON_ROLES, "预览", where=where), "预览")
    k.wait_for("the title 预览窗口", lambda: view_title(frame) == "预览窗口", 10)
    k.press(k.find(dialog, k.BUTTON_ROLES, "停止预览", where=where), "停止预览")
    k.wait_for("the title 图像窗口", lambda: view_title(frame) == "图像窗口", 10)
    capture = k.find(dialog, k.BUTTON_ROLES, "捕捉", where=where)
    k.press(capture, "捕捉")
    # The status line's accessible name is its text.
    status = k.wait_for("the capture of %d frames to end" % CAPTURED, lambda: capture.getState(
    ).contains(R.STATE_ENABLED) and k.first((n for n, _ in k.walk(dialog)), lambda n: k.role(
        n) == R.ROLE_LABEL and k.label(n).startswith("Capture stopped: %d frames" % CAPTURED)),
        20)
    log("直接采集: " + k.label(status))
    k.shot(args, "capvo-direct-capture")
    k.press(k.find(dialog, k.BUTTON_ROLES, "关  闭", where=where), "关  闭")
    k.wait_for("the dialog 直接采集 to close",
               lambda: k.window(capvo, lambda w: k.label(w) == "直接采集") is None, 10)

def check_pc_camera(capvo, frame):
    """PC相机采集 from the stand-in: the driver chosen in the list, 格式 kept,
    覆盖 disabled, 捕捉 of 内存 frames 1..3 transferred into the store."""
    k.choose_menu(frame, "采集", "PC相机采集")
    dialog = k.find(capvo, {R.ROLE_DIALOG}, "采集设置窗口", where=" (the PC camera dialog)")
    where = " in 采集设置窗口"
    drivers = k.find(dialog, {R.ROLE_LIST, R.ROLE_LIST_BOX, R.ROLE_TABLE}, "驱动", where=where)
    box = drivers.queryComponent().getExtents(R.DESKTOP_COORDS)
    log("click the first driver")
    subprocess.run(["xdotool", "mousemove", str(box.x + 40), str(box.y + 8), "click", "1"],
                   timeout=10, check=True)
    fmt = k.find(dialog, k.BUTTON_ROLES, "格式", where=where)
    k.wait_for("格式 to be enabled by the driver", lambda: fmt.getState().contains(
        R.STATE_ENABLED), 10)
    if k.find(dialog, k.BUTTON_ROLES, "覆盖", where=where).getState().contains(R.STATE_ENABLED):
        raise Failure("覆盖 is enabled: there is no overlay")
    k.press(fmt, "格式", may_block=True)
    formats = k.find(capvo, {R.ROLE_DIALOG}, "格式", where=" (the format dialog)")
    ok = k.first((n for n, _ in k.walk(formats)), lambda n: k.role(n) in k.BUTTON_ROLES and
                 k.label(n) in ("OK", "确定"))
    k.press(ok, "the format dialog's OK", may_block=True)
    k.wait_for("the format dialog to close",
               lambda: k.window(capvo, lambda w: k.label(w) == "格式") is None, 10)
    toggle(k.find(dialog, {R.ROLE_RADIO_BUTTON}, "内存", where=where), "内存")
    for name, value in (("起始帧", "1"), ("终止帧", str(PC_CAPTURED))):
        k.set_text(k.find(dialog, SPIN_ROLES, name, where=where), value, "field " + name)
    k.press(k.find(dialog, k.BUTTON_ROLES, "捕捉", where=where), "捕捉", may_block=True)
    k.wait_for("转换的帧: %d" % PC_CAPTURED, lambda: k.named(dialog, {R.ROLE_LABEL}, "转换的帧:")
               and k.named(dialog, {R.ROLE_LABEL}, str(PC_CAPTURED)), 20)
    log("PC相机采集: 转换的帧: %d" % PC_CAPTURED)
    k.press(k.find(dialog, k.BUTTON_ROLES, "关  闭", where=where), "关  闭")
    k.wait_for("the dialog 采集设置窗口 to close",
               lambda: k.window(capvo, lambda w: k.label(w) == "采集设置窗口") is None, 10)

def check_frame_settings(capvo, frame):
    """系统帧设置: the colour frame count set and kept, read back on reopening."""
    for step in ("set", "check"):
        k.choose_menu(frame, "设置", "系统帧设置", may_block=True)
        dialog = k.find(capvo, {R.ROLE_DIALOG}, "系统帧设定", where=" (the frame-store settings)")
        field = k.find(dialog, SPIN_ROLES, "彩色帧数", where=" in 系统帧设定")
        if step == "set":
            k.set_text(field, "40", "field 彩色帧数")
        elif k.field_text(field) != "40":
            raise Failure("彩色帧数 reads %r after setting 40" % k.field_text(field))
        button = k.first((n for n, _ in k.walk(dialog)), lambda n: k.role(n) in k.BUTTON_ROLES
                         and k.label(n) in (("OK", "确定") if step == "set" else ("Cancel", "取消")))
        k.press(button, "the button " + k.label(button), may_block=True)
        k.wait_for("the dialog 系统帧设定 to close",
                   lambda: k.window(capvo, lambda w: k.label(w) == "系统帧设定") is None, 10)
    log("系统帧设置 keeps 彩色帧数 40")

def check_display_windows(capvo, frame):
    """比  例 changes the status bar's rate, 状态窗's 伪彩色 colours the grey
    image, 像素值 follows the mouse."""
    k.choose_menu(frame, "显示", "比  例")
    zoom = k.find(capvo, {R.ROLE_DIALOG}, "放大和缩小", where=" (the zoom dialog)")
    rate = k.find(zoom, {R.ROLE_SCROLL_BAR, R.ROLE_SLIDER}, "比例", where=" in 放大和缩小")
    log("set 比例 to 200")
    rate.queryValue().currentValue = 200
    k.find(frame, {R.ROLE_LABEL}, "Rate: 200% [Width:  640 Height:  480]", seconds=10,
           where=" in capvo's status bar")
    k.press(k.find(zoom, k.BUTTON_ROLES, "标准", where=" in 放大和缩小"), "标准")
    k.find(frame, {R.ROLE_LABEL}, "Rate: 100% [Width:  640 Height:  480]", seconds=10,
           where=" in capvo's status bar")
    k.press(k.find(zoom, k.BUTTON_ROLES, "关闭", where=" in 放大和缩小"), "关闭")
    for mode, grey in (("伪彩色", False), ("灰度", True)):
        k.choose_menu(frame, "显示", "状态窗")
        toggle(k.find(capvo, {R.ROLE_RADIO_BUTTON}, mode, where=" in 状态窗"), mode)
        k.choose_menu(frame, "显示", "状态窗")  # out of the image's way
        if k.view_is_grey(frame) is not None:
            k.wait_for("the image %s" % ("grey" if grey else "in pseudo colours"),
                       lambda: k.view_is_grey(frame) == grey, 10)
            log("状态窗 %s: the image is %s" % (mode, "grey" if grey else "coloured"))
    k.choose_menu(frame, "显示", "像素值")
    pixels = k.find(capvo, {R.ROLE_DIALOG, R.ROLE_WINDOW, R.ROLE_FRAME}, "图像数据",
                    where=" (the pixel value window)")
    view = k.first((n for n, depth in k.walk(frame) if depth > 0), lambda n: k.showing(n) and
                   n.getRole() in (R.ROLE_FRAME, R.ROLE_INTERNAL_FRAME))
    box = view.queryComponent().getExtents(R.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(box.x + 60), str(box.y + 70)], timeout=10,
                   check=True)
    position = k.wait_for("the pixel value window to follow the mouse", lambda: k.first(
        (n for n, _ in k.walk(pixels)), lambda n: k.role(n) == R.ROLE_LABEL and
        k.label(n).startswith("X: ") and k.label(n) != "X: 0  Y: 0"), 10)
    log("图像数据 at " + k.label(position))

def run(args, process):
    folder = args.folder
    first_file, _ = k.demo_series(folder)
    head = first_file[:-len("0001.BMP")]
    last_file = "%s%04d.BMP" % (head, FRAMES)
    avi = os.path.join(folder, AVI_NAME)
    kova = k.wait_for("kova on the accessibility bus", lambda: k.find_application(process.pid), 40)
    kova_frame = k.wait_for("kova's main window",
                            lambda: k.window(kova, lambda w: w.getRole() == R.ROLE_FRAME))
    k.choose_menu(kova_frame, "图像", "图象采集")
    capvo = k.wait_for("capvo on the accessibility bus (started by 图象采集)", find_capvo, 40)
    frame = k.wait_for("capvo's main window",
                       lambda: k.window(capvo, lambda w: w.getRole() == R.ROLE_FRAME))
    log("图象采集 started capvo: %r" % frame.name)
    load_series(capvo, frame, args, first_file, last_file)
    time.sleep(1)
    k.shot(args, "capvo-series")
    save_avi(capvo, frame, args, avi)
    check_direct_capture(capvo, frame, args)
    check_pc_camera(capvo, frame)
    check_display_windows(capvo, frame)
    check_frame_settings(capvo, frame)
    k.choose_menu(frame, "文件", "退出", may_block=True)
    k.wait_for("capvo to end", lambda: find_capvo() is None, 20)
    # Back in kova: the AVI is the motion image sequence.
    k.choose_menu(kova_frame, "图像", "运动图像", may_block=True)
    choose_avi_filter(kova)
    open_by_path(kova, args, avi)
    k.choose_menu(kova_frame, "图像", "帧/最后一帧")
    k.find(kova_frame, {R.ROLE_LABEL}, "帧 %d / %d" % (FRAMES, FRAMES), seconds=10,
           where=" in kova's status bar")
    k.shot(args, "capvo-avi-in-kova")
    log("kova reads %s: 帧 %d / %d" % (AVI_NAME, FRAMES, FRAMES))
    k.choose_menu(kova_frame, "文件", "退出", may_block=True)
    try:
        process.wait(timeout=20)
    except subprocess.TimeoutExpired:
        raise Failure("kova did not end after 文件/退出")

def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--kova", required=True, help="the kova program (capvo beside it)")
    parser.add_argument("--folder", required=True, help="folder with the demo series")
    parser.add_argument("--screenshot", help="where to put a screenshot on failure (no suffix)")
    parser.add_argument("--log", help="kova's output goes here")
    parser.add_argument("--shots", help="prefix of the screenshots kept for a person")
    parser.add_argument("--file-name-field", default="文件名称(N)：", help="file dialog name field")
    parser.add_argument("--open-button", default="打开", help="file dialog open button")
    parser.add_argument("--save-button", default="保存", help="save dialog save button")
    parser.add_argument("--capvo-menu", default="文件", help="capvo's menu of the file dialogs")
    parser.add_argument("--avi-name-field", default="文件名", help="AVI dialog file name field")
    parser.add_argument("--store-start-field", default="帧存储 起始帧", help="AVI dialog store start")
    parser.add_argument("--store-end-field", default="帧存储 终止帧", help="AVI dialog store end")
    args = parser.parse_args()
    args.folder = os.path.realpath(args.folder)
    k.DEADLINE = time.monotonic() + 120
    k.Atspi.set_timeout(k.CALL_TIMEOUT_MS, -1)
    # capvo, started by kova, takes the AVI it writes as its camera.
    env = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_QPA_PLATFORM="xcb", KOVA_CAMERA_STANDIN=os.path.join(args.folder, AVI_NAME))
    output = open(args.log, "wb") if args.log else subprocess.DEVNULL
    process = subprocess.Popen([args.kova], cwd=args.folder, env=env, stdout=output,
                               stderr=subprocess.STDOUT)
    ok = k.passes(run, args, process)
    if args.screenshot and not ok:
        subprocess.run(["import", "-window", "root", args.screenshot + ".png"], timeout=15,
                       check=False)
    for app in ([] if ok else [k.safe(lambda: k.find_application(process.pid)),
                               k.safe(find_capvo)]):
        if app is not None:
            print("e2e: windows of %s at the failure:\n%s" % (app.name, k.describe_windows(app)),
                  file=sys.stderr, flush=True)
    capvo = k.safe(find_capvo)
    if capvo is not None:
        k.safe(lambda: os.kill(capvo.get_process_id(), 15))
    k.stop(process)
    print("1 passed, 0 failed" if ok else "0 passed, 1 failed", flush=True)
    return 0 if ok else 1

if __name__ == "__main__":
    sys.exit(main())
