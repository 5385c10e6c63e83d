#include "CProgressDlg.h"
#include "DialogProgress.h"
#include "QtTestApp.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

void PostClick(QWidget* widget) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    const QPointF global = widget->mapToGlobal(at);
    QCoreApplication::postEvent(widget,
                                new QMouseEvent(QEvent::MouseButtonPress, at, global,
                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(widget,
                                new QMouseEvent(QEvent::MouseButtonRelease, at, global,
                                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
}

TEST(ProgressDlgTest, SettingsAreCheckedAndKeptUntilOpen) {
    kova::test::QtTestApp();
    CProgressDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("处理中..."));
    EXPECT_TRUE(dialog.SetMax(40));
    EXPECT_FALSE(dialog.SetMax(0));
    EXPECT_EQ(dialog.Maximum(), 40);
    EXPECT_FALSE(dialog.SetPos(-1));
    EXPECT_TRUE(dialog.SetPos(12));
    dialog.SetText(QString::fromUtf8("帧 12 在读入中。"));
    dialog.Create();
    EXPECT_TRUE(dialog.isVisible());
    auto* bar = dialog.findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->maximum(), 40);
    EXPECT_EQ(bar->value(), 12);
    auto* stop = dialog.findChild<QPushButton*>();
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->text(), QString::fromUtf8("停止"));
    dialog.EnableCancel(false);
    EXPECT_FALSE(stop->isEnabled());
    dialog.Close();
    EXPECT_FALSE(dialog.isVisible());
}

TEST(ProgressDlgTest, PollingDiscardsOtherInputButStopWorks) {
    kova::test::QtTestApp();
    QPushButton other(QStringLiteral("other"));
    other.resize(80, 30);
    other.show();
    int otherClicks = 0;
    QObject::connect(&other, &QPushButton::clicked, [&otherClicks] { ++otherClicks; });
    CProgressDlg dialog;
    dialog.Create();
    auto* stop = dialog.findChild<QPushButton*>();
    ASSERT_NE(stop, nullptr);
    PostClick(&other);
    EXPECT_FALSE(dialog.Poll());
    EXPECT_EQ(otherClicks, 0);
    PostClick(stop);
    EXPECT_TRUE(dialog.Poll());
    EXPECT_TRUE(dialog.IsCancelled());
    // Opening again clears the stop.
    dialog.Create();
    EXPECT_FALSE(dialog.Poll());
    // Outside polling the other window works as usual.
    PostClick(&other);
    QCoreApplication::processEvents();
    EXPECT_EQ(otherClicks, 1);
}

TEST(ProgressDlgTest, EachLoopOpensTheDialogAtZeroAndUnstopped) {
    kova::test::QtTestApp();
    DialogProgress progress;
    progress.Open(10);
    progress.Step(4, "帧 4 在读入中。");
    progress.Dialog()->findChild<QPushButton*>()->click();
    progress.Open(5);
    EXPECT_EQ(progress.Dialog()->Position(), 0);
    EXPECT_TRUE(progress.Dialog()->Text().isEmpty());
    EXPECT_FALSE(progress.Poll());
}

} // namespace
