#include "CEventDlg.h"
#include "CTargetMarkDlg.h"
#include "EventsLogic.h"
#include "EventsRig.h"
#include "QtTestApp.h"
#include "TargetMarksLogic.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

using namespace kova::test;

namespace {

template <typename Widget> Widget* Find(QWidget* window, const char* name) {
    return window->findChild<Widget*>(QString::fromLatin1(name));
}

// Every button, field, list and selector is named as the user sees it.
void ExpectAccessibleNames(QWidget* window, std::vector<std::string> expected) {
    std::vector<std::string> found;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            found.push_back(button->text().toStdString());
        else if (qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                 qobject_cast<QListWidget*>(w))
            found.push_back(w->accessibleName().toStdString());
    }
    std::sort(found.begin(), found.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected);
}

// The window deleted itself on closing (before the logic it tells goes).
void ExpectGone(const QPointer<QWidget>& window) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

class EventWindows : public QtTest {};

TEST_F(EventWindows, TheEventsWindowPassesItsButtonsAndSelectionOn) {
    EventsRig rig(2, "SceneEvent 3: 10:\r\n");
    EventsLogic logic(rig.document, rig.display);
    CEventDlg dialog(logic);
    ExpectAccessibleNames(&dialog, {"标准帧", "设置基准帧", "目标帧", "添加目标帧", "删除目标帧"});
    auto* list = Find<QListWidget>(&dialog, "events");
    rig.display.SetPage(8);
    Find<QAbstractButton>(&dialog, "addEvent")->click();
    Find<QAbstractButton>(&dialog, "setReference")->click();
    list->setCurrentRow(0);
    Find<QAbstractButton>(&dialog, "deleteEvent")->click();
    EXPECT_EQ(std::make_tuple(Find<QLineEdit>(&dialog, "reference")->text(), list->count(),
                              list->item(0)->text(), list->currentRow()),
              std::make_tuple(QStringLiteral("8"), 2, QStringLiteral("Frame 8"), 0));
    EXPECT_EQ(rig.Stored("SceneEvent"), "7: 10:");
}

TEST_F(EventWindows, TheMarksWindowWaitsForOkAndTakesNoOtherInputMeanwhile) {
    EventsRig rig(3);
    TargetMarksLogic logic(rig.document, rig.display);
    QPushButton elsewhere(QStringLiteral("elsewhere"));
    elsewhere.show();
    int clicked = 0;
    QObject::connect(&elsewhere, &QPushButton::clicked, [&clicked] { ++clicked; });
    auto* dialog = new CTargetMarkDlg(logic);
    ExpectAccessibleNames(
        dialog, {"目标", "颜色", "线型", "名称", "单色初始化", "自动初始化", "确定", "取消"});
    QTimer::singleShot(0, dialog, [&] {
        QTest::mouseClick(&elsewhere, Qt::LeftButton);
        Find<QListWidget>(dialog, "targets")->setCurrentRow(1);
        auto* name = Find<QLineEdit>(dialog, "name");
        name->clear();
        QTest::keyClicks(name, QStringLiteral(" left knee "));
        auto* colour = Find<QComboBox>(dialog, "colour");
        colour->setCurrentIndex(5);
        emit colour->activated(5);
        Find<QAbstractButton>(dialog, "ok")->click();
    });
    const QPointer<QWidget> window(dialog);
    EXPECT_EQ(dialog->ChooseTargetMarks(nullptr), 1);
    ExpectGone(window);
    EXPECT_EQ(clicked, 0);
    EXPECT_EQ(std::make_tuple(rig.Stored("NameTarget"), rig.Stored("ColorTarget")),
              std::make_tuple(std::string("1 left_kne 3"), std::string("0 0 5 0 2 0")));
    QTest::mouseClick(&elsewhere, Qt::LeftButton);
    EXPECT_EQ(clicked, 1);
}

TEST_F(EventWindows, TheMarksWindowWithoutTargetsOnlyCancels) {
    EventsRig rig(0);
    TargetMarksLogic logic(rig.document, rig.display);
    auto* dialog = new CTargetMarkDlg(logic);
    EXPECT_FALSE(Find<QWidget>(dialog, "ok")->isEnabled() ||
                 Find<QWidget>(dialog, "name")->isEnabled());
    QTimer::singleShot(0, dialog, [dialog] { Find<QAbstractButton>(dialog, "cancel")->click(); });
    const QPointer<QWidget> window(dialog);
    EXPECT_EQ(dialog->ChooseTargetMarks(nullptr), 0);
    ExpectGone(window);
}

} // namespace
