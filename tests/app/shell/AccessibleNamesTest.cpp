#include "CAboutDlg.h"
#include "CCalibration2DDlg.h"
#include "CCfgFile.h"
#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CKOVAApp.h"
#include "CMainFrame.h"
#include "CPointDlg.h"
#include "CProgressDlg.h"
#include "CSysFrameDlg.h"
#include "CTrackFile2D.h"
#include "CVideoCapDS.h"
#include "Calibration2DLogic.h"
#include "QtTestApp.h"
#include "RecordingPrompter.h"
#include "SystemConfig.h"
#include "TestFiles.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QScrollBar>
#include <QSettings>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

#if __has_include("CSledoPropPage.h")
#include "CSledoCtrl.h"
#include "CSledoPropPage.h"
#define KOVA_HAVE_SLEDO 1
#endif

namespace {

using kova::RecordingPrompter;
using kova::test::TempDir;

// What a user focuses or types into. Scroll bars belong to their scroll
// area and are found by role.
bool IsControl(const QWidget* w) {
    if (qobject_cast<const QScrollBar*>(w)) return false;
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
           w->inherits("CSledoCtrl");
}

// The shown controls of a window, without the parts of other controls (a
// spin box's editor, a table's headers, a combo box's list).
std::vector<QWidget*> Controls(QWidget* window) {
    std::vector<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!IsControl(w) || !w->isVisibleTo(window)) continue;
        bool part = false;
        for (QWidget* p = w->parentWidget(); p && p != window; p = p->parentWidget())
            part = part || IsControl(p);
        if (!part) controls.push_back(w);
    }
    return controls;
}

// Qt on Linux names a combo box by its current text and ties it to its
// label by relation, so a combo box's own name is its property.
std::string AccessibleName(QWidget* w) {
    if (qobject_cast<QComboBox*>(w)) return w->accessibleName().toStdString();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name).toStdString() : std::string();
}

std::string Describe(QWidget* w) {
    return std::string(w->metaObject()->className()) + " '" + w->objectName().toStdString() + "'";
}

// Every control has a name of its own in the window; a label's buddy is
// named by the label. Gives the names.
std::set<std::string> CheckNames(QWidget* window) {
    window->show();
    QApplication::processEvents();
    const std::vector<QWidget*> controls = Controls(window);
    std::map<std::string, QWidget*> named;
    for (QWidget* w : controls) {
        const std::string name = AccessibleName(w);
        EXPECT_FALSE(name.empty()) << Describe(w) << " in " << window->windowTitle().toStdString()
                                   << " has no accessible name";
        if (name.empty()) continue;
        const auto [it, fresh] = named.emplace(name, w);
        EXPECT_TRUE(fresh) << Describe(w) << " and " << Describe(it->second) << " share the name "
                           << name;
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->buddy() || !IsControl(label->buddy())) continue;
        QString text = label->text();
        text.remove(QLatin1Char('&'));
        EXPECT_EQ(AccessibleName(label->buddy()), text.toStdString()) << Describe(label->buddy());
    }
    std::set<std::string> names;
    for (const auto& entry : named)
        names.insert(entry.first);
    window->hide();
    return names;
}

bool Contains(const std::set<std::string>& names, const std::set<std::string>& wanted) {
    for (const std::string& name : wanted)
        if (names.count(name) == 0) return false;
    return true;
}

class AccessibleNamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        kova::test::QtTestApp();
        ASSERT_TRUE(store_.InitImageSys());
    }
    kova::CFrameStore store_;
};

TEST_F(AccessibleNamesTest, CalibrationDialogFieldsByTheirLabels) {
    RecordingPrompter prompter;
    kova::CVideoCapDS capture{store_};
    CImageDisplay display{store_, capture, prompter};
    CCfgFile config;
    SystemConfig::FillDefaults(config);
    CTrackFile2D track;
    Calibration2DLogic logic{display, prompter};
    logic.SetConfig(&config);
    logic.SetTrackFile(&track);
    display.SetConfig(&config);
    auto* dialog = new CCalibration2DDlg(logic);
    const std::set<std::string> expected = {
        "刻度",     "坐标变换", "图像距离", "实际距离",
        "单位",     "计算比例", "读取间隔", "拍摄帧数 / 单位时间",
        "单位时间", "初始化",   "读入设定", "保存设定",
        "读入图像", "确定",     "取消"};
    EXPECT_EQ(CheckNames(dialog), expected);
    delete dialog;
}

TEST_F(AccessibleNamesTest, WidgetDialogs) {
    CAboutDlg about;
    EXPECT_EQ(CheckNames(&about).size(), 1U); // its OK button
    CPointDlg point(store_);
    EXPECT_TRUE(CheckNames(&point).count("像素值"));
    CProgressDlg progress;
    EXPECT_TRUE(CheckNames(&progress).count("停止"));
    TempDir dir;
    QSettings settings(QString::fromStdString(dir.File("KOVA.ini")), QSettings::IniFormat);
    CSysFrameDlg frames(store_, settings);
    EXPECT_TRUE(Contains(CheckNames(&frames),
                         {"灰度帧数", "彩色帧数", "图像目录", "数据目录", "程序目录"}));
}

#ifdef KOVA_HAVE_SLEDO
TEST_F(AccessibleNamesTest, SliderPropertyPage) {
    CSledoCtrl control;
    CSledoPropPage page(&control);
    // Each colour field is named after the button beside it.
    EXPECT_TRUE(Contains(CheckNames(&page), {"最小値", "最大値", "ｽﾗｲﾀﾞｰ幅", "ボタン幅",
                                             "ｽﾗｲﾀﾞｰ凸面", "ｽﾗｲﾀﾞｰ凸面 値", "ﾚｰﾙ陰 値"}));
}
#endif

// Menu items are named by their texts, without repeats in one menu; gives
// how many were seen.
int CheckMenu(QAccessibleInterface* menu, const std::string& path) {
    int count = 0;
    std::set<std::string> names;
    for (int i = 0; i < menu->childCount(); ++i) {
        QAccessibleInterface* item = menu->child(i);
        if (!item || item->role() == QAccessible::Separator) continue;
        if (item->role() != QAccessible::MenuItem) { // the popup menu of an item
            count += CheckMenu(item, path);
            continue;
        }
        const std::string name = item->text(QAccessible::Name).toStdString();
        EXPECT_FALSE(name.empty()) << "item " << i << " of " << path;
        EXPECT_TRUE(names.insert(name).second) << name << " twice in " << path;
        count += 1 + CheckMenu(item, path + "/" + name);
    }
    return count;
}

TEST_F(AccessibleNamesTest, MainFrame) {
    TempDir dir;
    RecordingPrompter prompter;
    CKOVAApp app(&prompter);
    ASSERT_TRUE(app.InitInstance({}, dir.Path()));
    QMainWindow* frame = app.MainFrame();
    ASSERT_NE(frame, nullptr);
    CheckNames(frame);
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(frame->menuBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_GT(CheckMenu(bar, "menu bar"), 20);
    app.ExitInstance();
}

} // namespace
