#include "SegmentationWindow.h"

#include "CFrameStore.h"
#include "CImageDisplay.h"
#include "CVideoCapDS.h"
#include "QtTestApp.h"
#include "RecordingPrompter.h"
#include "SegmentationLogic.h"

#include <QAbstractButton>
#include <QLabel>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>
#include <set>

namespace {

struct SegmentationWindowTest : kova::test::QtTest {
    SegmentationWindowTest() {
        store.Put_nofframe_color(2);
        store.Put_image_color(1, cv::Mat(48, 64, CV_8UC3, cv::Scalar(0, 0, 255)), 0, 0);
        store.Put_dispmode(kova::CFrameStore::kColorDispMode);
        given.method = kMethodRgb;
        EXPECT_TRUE(logic.Open(1, 0, given));
    }
    template <typename T> T* Find(const char* name) {
        for (T* control : window.findChildren<T*>())
            if (control->accessibleName() == QString::fromUtf8(name)) return control;
        ADD_FAILURE() << name;
        return nullptr;
    }
    kova::RecordingPrompter prompter;
    kova::CFrameStore store;
    kova::CVideoCapDS capture{store};
    CImageDisplay display{store, capture, prompter};
    SegmentationLogic logic{store};
    SegmentationResult given;
    SegmentationWindow window{logic, display, nullptr};
};

TEST_F(SegmentationWindowTest, ControlsHaveUniqueNames) {
    std::set<QString> names;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (control->accessibleName().isEmpty() || control->inherits("QLabel")) continue;
        EXPECT_TRUE(names.insert(control->accessibleName()).second)
            << control->accessibleName().toStdString();
    }
    EXPECT_GE(names.size(), 20u);
}

// A click on the image samples it; HSI shows its rows and scale; 确定 returns
// the record of the mode.
TEST_F(SegmentationWindowTest, ClickSamplesAndOkReturnsTheRecord) {
    display.DoDisplayLButtonDown(1, QPoint(10, 10));
    EXPECT_EQ(Find<QSpinBox>("次数")->value(), 1);
    EXPECT_EQ(Find<QSpinBox>("下限1")->value(), 255);
    Find<QAbstractButton>("HSI")->click();
    EXPECT_EQ(Find<QAbstractButton>("通道1")->text().toStdString(), "H");
    EXPECT_EQ(Find<QSpinBox>("上限1")->maximum(), 359);
    display.DoDisplayLButtonDown(1, QPoint(10, 10));
    EXPECT_EQ(Find<QSpinBox>("下限1")->value(), 336);
    SegmentationResult result;
    QTimer::singleShot(0, &window, [this] { Find<QAbstractButton>("确定")->click(); });
    ASSERT_TRUE(window.Exec(nullptr, result));
    EXPECT_EQ(result.method, kMethodHsi);
    EXPECT_EQ(result.hsi[0].low, 336);
}

} // namespace
