// The result text window: the text with Chinese two columns wide, the save
// command, and copying.
#include "CTextViewer.h"
#include "CsvFile.h"
#include "QtTestApp.h"
#include "RecordingPrompter.h"
#include "TestFiles.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace {

const std::vector<std::string> kLines = {"位置 / 速度\n", "   帧,   ID,     名称\n",
                                         "    1,    1,       头\n"};
const kova::CsvTable kCsv = {{"frame", "name"}, {{"1", "头"}}};

class TextViewerTest : public kova::test::QtTest {
protected:
    TextViewerTest() : viewer(prompter, nullptr) {
        for (const std::string& line : kLines)
            viewer.AddString(line);
        viewer.SetCsv(kCsv);
        text = viewer.findChild<QPlainTextEdit*>();
    }

    kova::RecordingPrompter prompter;
    CTextViewer viewer;
    QPlainTextEdit* text = nullptr;
};

TEST_F(TextViewerTest, ShowsTheLinesWithChineseTwoColumnsWide) {
    ASSERT_EQ(text->accessibleName(), QStringLiteral("结果文本"));
    EXPECT_EQ(viewer.Text(), kLines[0] + kLines[1] + kLines[2]);
    EXPECT_EQ(text->toPlainText().toStdString(), viewer.Text());
    // Both table lines are 21 GB18030 bytes: 21 columns on screen.
    const qreal column = QFontMetricsF(text->font()).horizontalAdvance(QLatin1Char('0'));
    for (int number : {1, 2}) {
        const QTextBlock block = text->document()->findBlockByNumber(number);
        text->document()->documentLayout()->blockBoundingRect(block); // lays it out
        const QTextLine line = block.layout()->lineAt(0);
        EXPECT_NEAR(line.cursorToX(block.length() - 1) - line.cursorToX(0), 21 * column, 0.02);
    }
}

TEST_F(TextViewerTest, SavesTheCsvAndCopiesTheSelectionOrAllTheText) {
    kova::test::TempDir dir;
    prompter.QueueFiles({dir.File("table.csv")});
    viewer.Save();
    EXPECT_EQ(kova::test::ReadBytes(dir.File("table.csv")), kova::CsvFile::Text(kCsv));
    viewer.Copy();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), viewer.Text());
    QTextCursor cursor = text->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    text->setTextCursor(cursor);
    viewer.Copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("位置 / 速度"));
}

} // namespace
