#include "CapvoCommand.h"

// The dialogs of the commands.
#include "CAviFileDlg.h"
#include "CDirectCaptureDlg.h"
#include "CImageFileDlg.h"
#include "CPcCameraDlg.h"

namespace {

const char* const kFile = "文件(&F)";
const char* const kCapture = "采集(&C)";
const char* const kView = "显示(&V)";
const char* const kSettings = "设置(&S)";
const char* const kHelp = "帮助(&H)";

CapvoCommand Command(int id, const char* menu, const char* text, const char* status,
                     CapvoCommand::Run run) {
    return CapvoCommand{id, menu, text, status, run};
}

CapvoCommand Separator(const char* menu) {
    return CapvoCommand{0, menu, "", nullptr, nullptr};
}

} // namespace

const std::vector<const char*>& CapvoMenus() {
    static const std::vector<const char*> menus{kFile, kCapture, kView, kSettings, kHelp};
    return menus;
}

const std::vector<CapvoCommand>& CapvoCommandTable() {
    static const std::vector<CapvoCommand> table{
        DialogCommand<CImageFileDlg>(32782, kFile, "图像文件(&I)", "图像文件输入/保存"),
        DialogCommand<CAviFileDlg>(32783, kFile, "视频文件 (&A)", "视频文件输入/保存"),
        DialogCommand<CDirectCaptureDlg>(32790, kCapture, "直接采集   (&D)",
                                         "IEEE1394或USB捕获图像"),
        DialogCommand<CPcCameraDlg>(32791, kCapture, "PC相机采集 (&P)", "PC相机捕获图像"),
        Separator(kFile),
        Command(57665, kFile, "退出(&X)", nullptr, [](CCapvoFrame& f) { f.close(); }),
        Command(32793, kView, "像素值 (&V)", "显示图像上某点象素值",
                [](CCapvoFrame& f) { f.OnPixelValue(); }),
        Command(32794, kView, "比  例 (&R)", "显示比例视图 \n 比例视图",
                [](CCapvoFrame& f) { f.OnZoom(); }),
        Command(32792, kView, "状态窗 (&S)", "状态窗口切换",
                [](CCapvoFrame& f) { f.OnStatusWindow(); }),
        Command(32796, kSettings, "系统帧设置(&F)", nullptr,
                [](CCapvoFrame& f) { f.OnFrameSettings(); }),
        Command(57664, kHelp, "关于 Capvo(&A)...", nullptr, [](CCapvoFrame& f) { f.OnAbout(); }),
    };
    return table;
}
