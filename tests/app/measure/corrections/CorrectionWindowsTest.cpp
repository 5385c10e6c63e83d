// The correction dialogs over a small measurement: their messages through
// the recorder, what stays open, and each change as one undo step.
#include "CCoordTransformDlg.h"
#include "CDataMergeDlg.h"
#include "CGravityDlg.h"
#include "CInterpolateDlg.h"
#include "CommandId.h"
#include "CommandTable.h"
#include "MeasureDocument.h"
#include "MeasureFixtures.h"
#include "QtTestApp.h"
#include "RecordingPrompter.h"
#include "SmoothingLogic.h"
#include "TestFiles.h"
#include "ViewCommands.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <functional>
#include <gtest/gtest.h>
#include <set>

using kova::MessageAnswer;
using namespace kova::test;

namespace {

XY_TRACK P(float x, float y, int status = 0) {
    return {static_cast<std::int16_t>(status), x, y};
}

struct CorrectionWindows : QtTest {
    kova::RecordingPrompter prompter;
    MeasureDocument doc{prompter};
    CorrectionWindows() { doc.Info().SetAutoSave(0); }

    std::vector<XY_TRACK> Table() const {
        std::vector<XY_TRACK> points;
        for (int t = 0; t < doc.Track().GetTargetCount(); ++t)
            for (int f = 0; f < doc.Track().GetFrameCount(); ++f)
                points.push_back(At(doc.Track(), t, f));
        return points;
    }
    // Runs `press` and gives the messages it showed.
    template <typename F> std::vector<std::string> Said(F press) {
        prompter.Clear();
        press();
        return prompter.Texts();
    }
};

// A control of a dialog by its accessible name or its text.
template <typename W> W* Named(QWidget* dialog, const char* text) {
    const QString name = QString::fromUtf8(text);
    for (W* w : dialog->findChildren<W*>()) {
        if (w->accessibleName() == name) return w;
        if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->text() == name)
            return w;
    }
    ADD_FAILURE() << text;
    return nullptr;
}

void Click(QWidget* dialog, const char* text) {
    Named<QAbstractButton>(dialog, text)->click();
}

void SetText(QWidget* dialog, const char* field, const char* text) {
    Named<QLineEdit>(dialog, field)->setText(QString::fromUtf8(text));
}

// Every control has a name of its own.
void ExpectNamedControls(QWidget* dialog) {
    std::set<QString> names;
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (!button && !qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w) &&
            !qobject_cast<QListWidget*>(w))
            continue;
        const QString name = button ? button->text() : w->accessibleName();
        EXPECT_FALSE(name.isEmpty()) << w->objectName().toStdString();
        EXPECT_TRUE(names.insert(name).second) << name.toStdString();
    }
}

TEST_F(CorrectionWindows, InterpolateNeedsATargetThenFillsAsOneStep) {
    doc.Track().Create(2, 3);
    SetRow(&doc.Track(), 0, {P(0, 0), P(3, 3, 2), P(10, 0)});
    SetRow(&doc.Track(), 1, {P(0, 0), P(3, 3, 2), P(0, 10)});
    const std::vector<XY_TRACK> before = Table();
    CInterpolateDlg::Values values;
    CInterpolateDlg dialog(values, doc, nullptr);
    ExpectNamedControls(&dialog);
    dialog.show();
    auto* targets = Named<QListWidget>(&dialog, "目标");
    EXPECT_EQ(targets->selectedItems().size(), 2);
    EXPECT_EQ(Named<QComboBox>(&dialog, "错误提示")->currentIndex(), 1);
    Click(&dialog, "全选/全不选"); // the first press deselects all
    EXPECT_EQ(Said([&] { Click(&dialog, "执行"); }), std::vector<std::string>{"请选择目标。"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(doc.History().CanUndo());

    Click(&dialog, "全选/全不选");
    EXPECT_EQ(Said([&] { Click(&dialog, "执行"); }), std::vector<std::string>{"执行了内插补间。"});
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(At(doc.Track(), 1, 1), P(0, 5, -1));
    const std::vector<XY_TRACK> after = Table();
    ASSERT_TRUE(doc.History().Undo());
    EXPECT_EQ(Table(), before);
    ASSERT_TRUE(doc.History().Redo());
    EXPECT_EQ(Table(), after);
}

TEST_F(CorrectionWindows, CoordTransformRefusesThenKeepsItsValues) {
    doc.Track().Create(2, 2);
    SetRow(&doc.Track(), 0, {P(10, 10), P(15, 12)});
    SetRow(&doc.Track(), 1, {P(20, 10), P(25, 12, 4)});
    CCoordTransformDlg::Values logic;
    auto dialog = std::make_unique<CCoordTransformDlg>(logic, doc, nullptr);
    ExpectNamedControls(dialog.get());
    dialog->show();
    auto* position = Named<QComboBox>(dialog.get(), "基准位置目标");
    EXPECT_EQ(position->count(), 2);
    Click(dialog.get(), "基准位置");
    Click(dialog.get(), "基准轴");
    EXPECT_FALSE(position->isEnabled());
    const std::pair<std::function<void()>, const char*> refusals[] = {
        {[] {}, "请选择处理内容。"},
        {[&] {
             Click(dialog.get(), "基准位置");
             SetText(dialog.get(), "标准帧", "3");
         },
         "基准帧错误。"},
        {[&] {
             Click(dialog.get(), "基准轴");
             SetText(dialog.get(), "标准帧", "1");
         },
         "轴指定错误。"},
    };
    for (const auto& [change, message] : refusals) {
        change();
        EXPECT_EQ(Said([&] { Click(dialog.get(), "确认"); }), std::vector<std::string>{message});
        EXPECT_TRUE(dialog->isVisible()) << message;
    }
    Click(dialog.get(), "基准轴");
    EXPECT_EQ(Said([&] { Click(dialog.get(), "确认"); }),
              std::vector<std::string>{"坐标变换执行成功。"});
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Table(), (std::vector<XY_TRACK>{P(10, 10), P(10, 10), P(20, 10), P(20, 10, 4)}));
    EXPECT_EQ(doc.History().UndoName(), "撤销 帧坐标变换");
    ASSERT_TRUE(doc.History().Undo());
    EXPECT_EQ(At(doc.Track(), 0, 1), P(15, 12));

    // Opened again: the check boxes and the frame as they were left.
    dialog = std::make_unique<CCoordTransformDlg>(logic, doc, nullptr);
    EXPECT_FALSE(Named<QAbstractButton>(dialog.get(), "基准轴")->isChecked());
    EXPECT_FALSE(Named<QComboBox>(dialog.get(), "基准轴终点目标")->isEnabled());
    EXPECT_EQ(Named<QLineEdit>(dialog.get(), "标准帧")->text().toStdString(), "1");
}

TEST_F(CorrectionWindows, DataMergeTakesItsInputAndReports) {
    TempDir dir;
    FillSample(&doc.Track(), 2, 3);
    ASSERT_EQ(doc.Track().Save(dir.File("RUN0001.TRK")), 1);
    CDataMergeDlg::Values merge;
    CDataMergeDlg dialog(merge, doc, nullptr);
    ExpectNamedControls(&dialog);
    dialog.show();
    EXPECT_EQ(merge.directory, doc.Track().GetInitialDir()); // the data directory at first
    EXPECT_EQ(Named<QLineEdit>(&dialog, "文件名")->text().toStdString(), "TEMP");
    const auto choose = [&](const char* start, const char* end) {
        return Said([&] {
            prompter.QueueFiles({dir.File(start)});
            prompter.QueueFiles({dir.File(end)});
            Click(&dialog, "输入选择");
        });
    };
    EXPECT_EQ(choose("RUN0002.TRK", "RUN0001.TRK"),
              std::vector<std::string>{"文件的对应关系出错。"});
    EXPECT_TRUE(choose("RUN0001.TRK", "RUN0001.TRK").empty());
    EXPECT_EQ(Named<QLineEdit>(&dialog, "文件名")->text().toStdString(), "RUN");

    SetText(&dialog, "起始序号", "x");
    EXPECT_EQ(Said([&] { Click(&dialog, "执行"); }), std::vector<std::string>{"起始序号异常。"});
    EXPECT_TRUE(dialog.isVisible());
    SetText(&dialog, "起始序号", "1");
    Click(&dialog, "目标");
    EXPECT_EQ(Said([&] { Click(&dialog, "执行"); }), std::vector<std::string>{"数据连接成功。"});
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(ReadBytes(dir.File("RUN.TRK")), ReadBytes(dir.File("RUN0001.TRK")));
    EXPECT_EQ(merge.mode, DataMerge::kByTargets);
}

TEST_F(CorrectionWindows, GravityAsksForAnOutputAndIsOneStep) {
    doc.Track().Create(19, 2);
    CGravityDlg::Values choices;
    auto dialog = std::make_unique<CGravityDlg>(choices, doc, nullptr);
    ExpectNamedControls(dialog.get());
    dialog->show();
    Click(dialog.get(), "全身");
    EXPECT_EQ(Said([&] { Click(dialog.get(), "确定"); }),
              std::vector<std::string>{"请指定测量部位。"});
    EXPECT_TRUE(dialog->isVisible());
    Click(dialog.get(), "左腿");
    Click(dialog.get(), "女性");
    EXPECT_EQ(Said([&] { Click(dialog.get(), "确定"); }),
              std::vector<std::string>{"目标点不满20个."});
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(doc.History().CanUndo());
    EXPECT_EQ(std::pair(choices.sex, choices.outputs[21]), std::pair(1, true));

    doc.Track().AddTarget();
    dialog = std::make_unique<CGravityDlg>(choices, doc, nullptr);
    Click(dialog.get(), "确定");
    EXPECT_EQ(doc.Track().GetTargetCount(), 21);
    EXPECT_EQ(doc.History().UndoName(), "撤销 人体重心");
    ASSERT_TRUE(doc.History().Undo());
    EXPECT_EQ(doc.Track().GetTargetCount(), 20);
    std::vector<std::string> names;
    doc.Info().GetArray("NameTarget", &names);
    EXPECT_TRUE(names.empty()); // the landmark names went back too
}

TEST_F(CorrectionWindows, SmoothingThenUndoGivesTheSavedBytes) {
    EXPECT_EQ(Said([&] { SmoothingLogic::RunCommand(doc, nullptr); }),
              std::vector<std::string>{"没有数据。"});
    TempDir dir;
    FillSample(&doc.Track(), 3, 5);
    ASSERT_EQ(doc.SaveResultTo(dir.File("A.TRK")), 1);
    EXPECT_EQ(Said([&] {
                  prompter.QueueAnswer(MessageAnswer::Cancel);
                  SmoothingLogic::RunCommand(doc, nullptr);
              }),
              std::vector<std::string>{"执行平滑处理。"});
    EXPECT_FALSE(doc.History().CanUndo());
    EXPECT_EQ(Said([&] { SmoothingLogic::RunCommand(doc, nullptr); }),
              (std::vector<std::string>{"执行平滑处理。", "平滑处理成功。"}));
    EXPECT_EQ(doc.IsModified(), 1);
    ASSERT_TRUE(doc.History().Undo());
    EXPECT_EQ(doc.IsModified(), 0);
    ASSERT_EQ(doc.SaveResultTo(dir.File("B.TRK")), 1);
    EXPECT_EQ(ReadBytes(dir.File("B.TRK")), ReadBytes(dir.File("A.TRK")));
}

TEST(CorrectionCommands, InTheResultFixMenuBehindTheMeasurementWindowCheck) {
    using namespace CommandId;
    std::vector<int> ids;
    for (const CommandRow& row : CommandTable()) {
        const std::set<int> ours = {kSmoothing, kInterpolate, kMerge, kCoordTransform, kGravity};
        if (row.kind != RowKind::Command || !ours.count(row.id)) continue;
        ids.push_back(row.id);
        EXPECT_EQ(std::string(row.menu), "结果修正(&C)");
        EXPECT_TRUE(row.precondition == &ViewCommands::MeasureWindowCheck) << row.text;
    }
    EXPECT_EQ(ids, (std::vector<int>{kSmoothing, kInterpolate, kMerge, kCoordTransform, kGravity}));
}

} // namespace
