#include "CDirectCaptureDlg.h"
#include "CFrameStore.h"
#include "CPcCameraDlg.h"
#include "CVideoCapDS.h"
#include "CameraFixtures.h"
#include "DirectCaptureLogic.h"
#include "QtTestApp.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// Every control is found by its accessible name: its own, or its text.
std::vector<std::string> Unnamed(QWidget& window) {
    std::vector<std::string> unnamed;
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(child) || !child->focusPolicy() || child->isWindow() ||
            child->objectName().startsWith(QStringLiteral("qt_")))
            continue;
        const auto* button = qobject_cast<QAbstractButton*>(child);
        if (child->accessibleName().isEmpty() && !(button && !button->text().isEmpty()))
            unnamed.push_back(child->objectName().toStdString());
    }
    return unnamed;
}

QPushButton* Button(QWidget& window, const char* text) {
    for (QPushButton* button : window.findChildren<QPushButton*>())
        if (button->text() == QString::fromUtf8(text)) return button;
    return nullptr;
}

class CameraWindowTest : public kova::test::QtTest {
protected:
    CameraWindowTest() { store_.InitImageSys(); }

    kova::test::TempDir dir_;
    kova::CFrameStore store_;
    kova::RecordingPrompter prompter_;
    kova::test::FakeViewPort view_;
};

TEST_F(CameraWindowTest, DirectCaptureRefusesToCloseWhileCapturing) {
    const std::string standIn = dir_.File("standin.avi");
    kova::test::WriteStandIn(standIn, 20);
    setenv("KOVA_CAMERA_STANDIN", standIn.c_str(), 1);
    CDirectCaptureDlg dialog(store_, prompter_, view_);
    unsetenv("KOVA_CAMERA_STANDIN");
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("直接采集"));
    EXPECT_EQ(Unnamed(dialog), std::vector<std::string>{});
    QPushButton* close = Button(dialog, "关  闭");
    ASSERT_NE(close, nullptr);
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>())
        if (edit->accessibleName() == QStringLiteral("目录"))
            edit->setText(QString::fromStdString(dir_.Path()));
    Button(dialog, "重设定")->click();
    EXPECT_EQ(dialog.Logic().Capture().GetCaptureFileName().rfind(dir_.Path(), 0), 0u);

    dialog.Logic().StartCapture();
    ASSERT_TRUE(dialog.IsRunning()) << prompter_.Texts().front();
    EXPECT_FALSE(close->isEnabled());
    dialog.close();
    EXPECT_TRUE(dialog.isVisible());
    dialog.Logic().Stop();
    EXPECT_TRUE(close->isEnabled());
    close->click();
    EXPECT_FALSE(dialog.isVisible());

    dialog.show(); // opened again: the capture object starts anew
    EXPECT_TRUE(Button(dialog, "捕捉")->isEnabled());
    EXPECT_FALSE(Button(dialog, "停止")->isEnabled());
}

TEST_F(CameraWindowTest, PcCameraWithoutDriverLeavesOnlyClose) {
    unsetenv("KOVA_CAMERA_STANDIN");
    CPcCameraDlg dialog(store_, prompter_, view_);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("采集设置窗口"));
    EXPECT_EQ(Unnamed(dialog), std::vector<std::string>{});
    EXPECT_FALSE(Button(dialog, "覆盖")->isEnabled());
    if (!prompter_.Messages().empty()) {
        EXPECT_EQ(prompter_.Texts().front(), "无驱动 !");
        EXPECT_FALSE(Button(dialog, "捕捉")->isEnabled());
        EXPECT_FALSE(Button(dialog, "格式")->isEnabled());
    }
    EXPECT_TRUE(Button(dialog, "关  闭")->isEnabled());
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
