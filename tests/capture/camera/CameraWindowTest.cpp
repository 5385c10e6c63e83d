#include "AccessibleNames.h"
#include "CDirectCaptureDlg.h"
#include "CFrameStore.h"
#include "CPcCameraDlg.h"
#include "CVideoCapDS.h"
#include "CameraFixtures.h"
#include "DirectCaptureLogic.h"
#include "QtTestApp.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using kova::test::Named;

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
    EXPECT_EQ(kova::test::UnnamedOrRepeatedControls(dialog), std::vector<std::string>{});
    QPushButton* close = Named<QPushButton>(dialog, "关  闭");
    ASSERT_NE(close, nullptr);
    Named<QLineEdit>(dialog, "目录")->setText(QString::fromStdString(dir_.Path()));
    Named<QPushButton>(dialog, "重设定")->click();
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
    EXPECT_TRUE(Named<QPushButton>(dialog, "捕捉")->isEnabled());
    EXPECT_FALSE(Named<QPushButton>(dialog, "停止")->isEnabled());
}

TEST_F(CameraWindowTest, PcCameraWithoutDriverLeavesOnlyClose) {
    unsetenv("KOVA_CAMERA_STANDIN");
    CPcCameraDlg dialog(store_, prompter_, view_);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("采集设置窗口"));
    EXPECT_EQ(kova::test::UnnamedOrRepeatedControls(dialog), std::vector<std::string>{});
    EXPECT_FALSE(Named<QPushButton>(dialog, "覆盖")->isEnabled());
    if (!prompter_.Messages().empty()) {
        EXPECT_EQ(prompter_.Texts().front(), "无驱动 !");
        EXPECT_FALSE(Named<QPushButton>(dialog, "捕捉")->isEnabled());
        EXPECT_FALSE(Named<QPushButton>(dialog, "格式")->isEnabled());
    }
    EXPECT_TRUE(Named<QPushButton>(dialog, "关  闭")->isEnabled());
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace
