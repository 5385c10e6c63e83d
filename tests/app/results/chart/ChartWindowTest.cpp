#include "CPaper.h"
#include "ChartRangeDlg.h"
#include "ChartSizeDlg.h"
#include "QtTestApp.h"
#include "RecordingPrompter.h"
#include "ResultChartWindow.h"
#include "TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

using kova::MessageAnswer;
using kova::test::QtTest;

ChartSet TwoPanels() {
    ChartSet charts;
    charts.title = "位置 / 速度";
    charts.times = {0, 0.5, 1};
    for (const double top : {37.0, -0.37}) {
        ChartPanel panel;
        panel.series.push_back({{0, top / 2, top}, {true, true, true}, 1, 0});
        charts.panels.push_back(panel);
    }
    charts.csv.header = {"帧", "X"};
    charts.csv.rows = {{"1", "0.000"}};
    return charts;
}

class ChartWindowTest : public QtTest {
protected:
    ChartWindowTest() { window_.ShowCharts(TwoPanels()); }

    QAction* Action(const char* text) {
        for (QAction* action : window_.findChildren<QAction*>()) {
            if (action->text() == QString::fromUtf8(text)) return action;
        }
        return nullptr;
    }
    void ClickPanel(int y) {
        QTest::mouseClick(window_.centralWidget(), Qt::LeftButton, {}, QPoint(20, y));
    }
    ChartRangeDlg* OpenRange() {
        Action("设置")->trigger();
        return window_.findChild<ChartRangeDlg*>();
    }
    static QLineEdit* Field(QDialog* dialog, const char* name) {
        for (QLineEdit* field : dialog->findChildren<QLineEdit*>()) {
            if (field->accessibleName() == QString::fromUtf8(name)) return field;
        }
        return nullptr;
    }
    static void PressOk(QDialog* dialog) {
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }
    // Prints with PDF output to `path`, answering `answer` to the question.
    void PrintTo(const std::string& path, MessageAnswer answer) {
        prompter_.QueueAnswer(answer);
        window_.SetPrinterSetup([path](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(path));
            return true;
        });
        Action("打印")->trigger();
    }

    kova::RecordingPrompter prompter_;
    ResultChartWindow window_{prompter_, nullptr};
    kova::test::TempDir dir_;
};

TEST_F(ChartWindowTest, ShowsSizedAndSelectsPanelsByClicks) {
    EXPECT_EQ(window_.size(), QSize(334, 456));
    EXPECT_EQ(window_.windowTitle(), QStringLiteral("位置 / 速度"));
    EXPECT_FALSE(Action("设置")->isEnabled());
    const int height = window_.centralWidget()->height();
    ClickPanel(height - 2);
    EXPECT_EQ(window_.ViewState().selectedPanel, 1);
    EXPECT_TRUE(Action("设置")->isEnabled());
    ClickPanel(height - 2);
    EXPECT_EQ(window_.ViewState().selectedPanel, -1);
    EXPECT_FALSE(Action("设置")->isEnabled());
}

TEST_F(ChartWindowTest, FixingThenClearingTheRangeRestoresTheAutomaticOne) {
    ClickPanel(2);
    ChartRangeDlg* dialog = OpenRange();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(Field(dialog, "值 2")->text(), QStringLiteral("40.000"));
    EXPECT_FALSE(Field(dialog, "值 1")->isEnabled());
    dialog->findChild<QCheckBox*>()->setChecked(true);
    EXPECT_TRUE(Field(dialog, "值 1")->isEnabled());
    Field(dialog, "值 1")->setText(QStringLiteral("5"));
    Field(dialog, "值 2")->setText(QStringLiteral("5.000"));
    PressOk(dialog);
    EXPECT_EQ(prompter_.Texts(), std::vector<std::string>{"值的设定异常。"});
    EXPECT_TRUE(dialog->isVisible());
    Field(dialog, "值 2")->setText(QStringLiteral("-2"));
    PressOk(dialog);
    EXPECT_EQ(window_.ViewState().FixedRangeOf(0), (ValueRange{-2, 5}));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    dialog = OpenRange();
    EXPECT_EQ(Field(dialog, "值 1")->text(), QStringLiteral("-2.000"));
    dialog->findChild<QCheckBox*>()->setChecked(false);
    PressOk(dialog);
    EXPECT_FALSE(window_.ViewState().FixedRangeOf(0).has_value());
}

TEST_F(ChartWindowTest, CopyPutsTheStackedPanelsAsBitmapAndSvg) {
    Action("复制")->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QImage image = qvariant_cast<QImage>(data->imageData());
    const int height = window_.centralWidget()->height();
    EXPECT_EQ(image.size(), QSize(window_.centralWidget()->width(), (height - 1) / 2 * 2 + 1));
    EXPECT_TRUE(data->data(QStringLiteral("image/svg+xml")).startsWith("<?xml"));
}

TEST_F(ChartWindowTest, SavesChartAtChosenSizeAndDataAsCsv) {
    Action("保存图表...")->trigger();
    auto* size = window_.findChild<ChartSizeDlg*>();
    ASSERT_NE(size, nullptr);
    size->findChildren<QSpinBox*>()[0]->setValue(120);
    size->findChildren<QSpinBox*>()[1]->setValue(90);
    prompter_.QueueFiles({dir_.File("chart.png")});
    PressOk(size);
    EXPECT_EQ(QImage(QString::fromStdString(dir_.File("chart.png"))).size(), QSize(120, 90));

    prompter_.QueueFiles({dir_.File("data.csv")});
    Action("保存数据...")->trigger();
    EXPECT_EQ(kova::test::ReadBytes(dir_.File("data.csv")), "\xEF\xBB\xBF帧,X\r\n1,0.000\r\n");
    EXPECT_TRUE(prompter_.Texts().empty());
}

TEST_F(ChartWindowTest, PrintsAfterConfirmationAndReportsFailure) {
    PrintTo(dir_.File("cancel.pdf"), MessageAnswer::Cancel);
    EXPECT_FALSE(kova::test::Exists(dir_.File("cancel.pdf")));
    PrintTo(dir_.File("chart.pdf"), MessageAnswer::Ok);
    EXPECT_EQ(kova::test::ReadBytes(dir_.File("chart.pdf")).substr(0, 4), "%PDF");
    ASSERT_EQ(prompter_.Messages().size(), 2u);
    EXPECT_EQ(prompter_.Messages()[1],
              (kova::Message{"印刷准备好了吗?", "Confirm", kova::MessageIcon::Question,
                             kova::MessageButtons::OkCancel}));
    prompter_.Clear();
    PrintTo(dir_.File("none/chart.pdf"), MessageAnswer::Ok);
    EXPECT_EQ(prompter_.Texts(), (std::vector<std::string>{"印刷准备好了吗?", "打印失败"}));
}

TEST_F(ChartWindowTest, PaperEndsTheJobWhenTheImageAreaDoesNotFit) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir_.File("paper.pdf")));
    CPaper paper;
    ASSERT_TRUE(paper.Open(printer, "t"));
    EXPECT_TRUE(paper.DrawTextA("t"));
    paper.LineFeed();
    const QSize dots = paper.GetPaperDot();
    QRect area;
    EXPECT_EQ(paper.GetImageAreaDot(dots.width(), dots.height(), &area), nullptr);
    EXPECT_FALSE(paper.Close());
    EXPECT_FALSE(kova::test::Exists(dir_.File("paper.pdf")));
}

} // namespace
