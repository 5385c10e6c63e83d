#include "CImageFileDlg.h"

#include "AccessibleNames.h"
#include "CFrameStore.h"
#include "QtTestApp.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <opencv2/core.hpp>

namespace {

class CImageFileDlgTest : public kova::test::QtTest {
protected:
    CImageFileDlgTest() {
        store_.Put_directory(1, dir_.Path());
        for (int f = 1; f <= 4; ++f)
            store_.Put_image(f, cv::Mat(4, 4, CV_8UC1, cv::Scalar(f * 10)), 0, 0);
        dialog_ = std::make_unique<CImageFileDlg>(store_, prompter_);
    }

    template <class T> T* Control(const char* name) { return kova::test::Named<T>(*dialog_, name); }

    kova::test::TempDir dir_;
    kova::CFrameStore store_;
    kova::RecordingPrompter prompter_;
    std::unique_ptr<CImageFileDlg> dialog_;
};

TEST_F(CImageFileDlgTest, FieldsReachTheLogicAndButtonsFollowTheRun) {
    EXPECT_EQ(dialog_->windowTitle(), QString::fromUtf8("位图图像文件"));
    Control<QRadioButton>("存储")->setChecked(true);
    Control<QLineEdit>("文件1")->setText(QStringLiteral("W0001.TXT"));
    Control<QCheckBox>("连续文件")->setChecked(true);
    Control<QSpinBox>("开始")->setValue(1);
    Control<QSpinBox>("结束")->setValue(4);
    Control<QSpinBox>("间隔")->setValue(1);
    QPushButton* run = Control<QPushButton>("运行");
    QPushButton* stop = Control<QPushButton>("停止");
    QPushButton* close = Control<QPushButton>("关闭");
    EXPECT_FALSE(stop->isEnabled());
    dialog_->show();

    // While the series runs, the window's events are handled between files:
    // note the buttons, try to close, then press 停止.
    bool checked = false;
    QTimer::singleShot(0, dialog_.get(), [&] {
        checked = true;
        EXPECT_TRUE(dialog_->IsRunning());
        EXPECT_FALSE(run->isEnabled());
        EXPECT_FALSE(close->isEnabled());
        EXPECT_TRUE(stop->isEnabled());
        dialog_->reject();
        EXPECT_FALSE(dialog_->close());
        EXPECT_TRUE(dialog_->isVisible());
        EXPECT_EQ(Control<QProgressBar>("进度")->maximum(), 4);
        stop->click();
    });
    run->click();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(dialog_->IsRunning());
    EXPECT_TRUE(run->isEnabled());
    EXPECT_TRUE(close->isEnabled());
    EXPECT_FALSE(stop->isEnabled());
    EXPECT_EQ(dir_.Entries(), std::vector<std::string>{"W0001.TXT"});
    EXPECT_TRUE(prompter_.Texts().empty());
    close->click();
    EXPECT_FALSE(dialog_->isVisible());
}

TEST_F(CImageFileDlgTest, ControlsAreNamedAndBrowseFillsTheFileFields) {
    EXPECT_EQ(kova::test::UnnamedOrRepeatedControls(*dialog_), std::vector<std::string>{});
    prompter_.QueueFiles({dir_.File("A0001.BMP"), dir_.File("A0009.BMP")});
    Control<QPushButton>("浏览")->click();
    EXPECT_EQ(Control<QLineEdit>("文件2")->text().toStdString(), "A0009.BMP");
}

} // namespace
