#include "AppContext.h"
#include "CCfgFile.h"
#include "ConnectionLineEditor.h"
#include "DrawingTools.h"
#include "MotionImage.h"
#include "QtTestApp.h"
#include "StickFigure.h"
#include "StickFigureHost.h"
#include "StickFigurePainter.h"
#include "StickFigureWindow.h"
#include "StickRig.h"
#include "TestFiles.h"
#include "ViewCommands.h"
#include "ViewParts.h"

#include <QAbstractScrollArea>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kova::test;

namespace {

class StickWindow : public QtTest {
protected:
    // Figures of WALK-like points, magnified 2 and scrolled in a small window.
    StickWindow() : rig({{P(4, 5), P(6, 5)}, {P(4, 15), P(6, 15)}}), window(rig.prompter, nullptr) {
        StickDrawing drawing;
        drawing.magnification = 2;
        window.ShowFigures(
            StickFigure::Build(rig.document.Track(), {{0, 1, 0}}, {0, 1, 0, 1}, 30, 0), drawing);
        window.resize(80, 80);
        QCoreApplication::processEvents();
        window.findChild<QAbstractScrollArea*>()->horizontalScrollBar()->setValue(7);
    }
    // Prints to a PDF file at `path` on a page `height` millimetres high.
    bool PrintTo(const std::string& path, double height = 297) {
        window.SetPrinterSetup([path, height](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString(path));
            printer.setPageSize(QPageSize(QSizeF(210, height), QPageSize::Millimeter));
            return true;
        });
        rig.prompter.QueueAnswer(kova::MessageAnswer::Ok);
        return window.Print();
    }

    // Clicks the buttons `texts` of `dialog`.
    static void Press(QWidget* dialog, const std::vector<const char*>& texts) {
        for (const char* text : texts)
            for (QPushButton* button : dialog->findChildren<QPushButton*>())
                if (button->text() == QString::fromUtf8(text))
                    QTest::mouseClick(button, Qt::LeftButton);
    }

    StickRig rig;
    StickFigureWindow window;
    TempDir dir;
    // What a view lends its windows.
    CCfgFile config;
    DrawingTools tools;
    QSettings settings{QString::fromStdString(dir.File("s.ini")), QSettings::IniFormat};
    AppContext app{rig.store, config, rig.prompter, tools, settings};
    MotionImage motion{rig.display, rig.store, rig.prompter};
    ViewCommands commands{rig.document, config, motion, rig.display, rig.prompter};
    QWidget view;
    ViewParts parts{app, rig.document, rig.display, motion, commands, view};
};

} // namespace

TEST_F(StickWindow, PrintsToPdfAndLeavesTheScreenAsItWasWhenPrintingFails) {
    const StickDrawing before = window.Drawing();
    ASSERT_EQ(before.scroll.x(), 7);
    ASSERT_TRUE(PrintTo(dir.File("sticks.pdf")));
    EXPECT_EQ(ReadBytes(dir.File("sticks.pdf")).substr(0, 4), "%PDF");
    // A page too low for the title and the figure, and a printer that
    // cannot start: the job ends, nothing is left, the screen is unchanged.
    for (auto [path, height] :
         {std::pair{dir.File("low.pdf"), 2.0}, {dir.File("no/dir.pdf"), 297.0}}) {
        rig.prompter.Clear();
        EXPECT_FALSE(PrintTo(path, height));
        EXPECT_FALSE(Exists(path));
        EXPECT_EQ(rig.prompter.Texts(),
                  (std::vector<std::string>{"打印机准备好了吗?", "打印失败"}));
        const StickDrawing after = window.Drawing();
        EXPECT_EQ(std::make_tuple(after.magnification, after.scroll, after.origin),
                  std::make_tuple(before.magnification, before.scroll, before.origin));
    }
}

TEST_F(StickWindow, TheEditorRunsItsOwnLoopAndDiscardsInputForOtherWindows) {
    QPushButton elsewhere;
    bool pressed = false;
    QObject::connect(&elsewhere, &QPushButton::clicked, [&pressed] { pressed = true; });
    elsewhere.show();
    // Presses the buttons `texts` of the open dialog, after a click elsewhere.
    const auto press = [&](std::vector<const char*> texts) {
        QTimer::singleShot(0, [&, texts] {
            QTest::mouseClick(&elsewhere, Qt::LeftButton);
            auto* dialog = view.findChild<QDialog*>();
            ASSERT_NE(dialog, nullptr);
            Press(dialog, texts);
        });
    };
    rig.document.Info().SetArray("TargetPairStick", std::vector<int>{1, 0, 4});
    rig.prompter.QueueAnswer(kova::MessageAnswer::Ok);
    press({"全部删除", "取消"});
    EXPECT_FALSE(EditConnectionLines(parts, nullptr));
    EXPECT_EQ(rig.document.Info().Count("TargetPairStick"), 1);
    rig.prompter.QueueAnswer(kova::MessageAnswer::Ok);
    press({"全部删除", "确认"});
    EXPECT_TRUE(EditConnectionLines(parts, nullptr));
    EXPECT_EQ(rig.document.Info().Count("TargetPairStick"), 0);
    EXPECT_FALSE(pressed);
    EXPECT_EQ(view.findChild<QDialog*>(), nullptr);
}

TEST_F(StickWindow, TheListShowsTheFiguresOfTheChosenFramesAndCopiesThemAsABitmap) {
    StickFigureHost host(parts);
    QWidget* list = host.Open();
    Press(list, {"查看"});
    auto* figures = list->findChild<StickFigureWindow*>();
    ASSERT_TRUE(figures && figures->isVisible());
    ASSERT_TRUE(figures->Copy());
    // Frame 2 is 10 pixels right of frame 1, and 2 pixels further.
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(12 + 41, 10 + 41));
}
