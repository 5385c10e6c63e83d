#include "QtPrompter.h"

#include "QtTestApp.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QStringList Strings(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}

TEST(QtPrompterTest, FiltersMatchBothCases) {
    EXPECT_EQ(QtPrompter::NameFilters("BMP Image(*.BMP)| *.BMP|AVI File(*.AVI)| *.AVI||"),
              Strings({"BMP Image(*.BMP) (*.BMP *.bmp)", "AVI File(*.AVI) (*.AVI *.avi)"}));
    EXPECT_EQ(QtPrompter::NameFilters("2D标定文件(*.CL2)|*.CL2||"),
              Strings({"2D标定文件(*.CL2) (*.CL2 *.cl2)"}));
    EXPECT_EQ(QtPrompter::NameFilters("2D Tr File(*.tr1)|*.tr1|All Files(*.*)|*.*||"),
              Strings({"2D Tr File(*.tr1) (*.tr1 *.TR1)", "All Files(*.*) (*.*)"}));
    EXPECT_EQ(QtPrompter::NameFilters("Images|*.bmp;*.jpg||"),
              Strings({"Images (*.bmp *.BMP *.jpg *.JPG)"}));
    EXPECT_TRUE(QtPrompter::NameFilters("").isEmpty());
    EXPECT_TRUE(QtPrompter::NameFilters("broken").isEmpty());
}

TEST(QtPrompterTest, DefaultSuffix) {
    EXPECT_EQ(QtPrompter::DefaultSuffix("*.BMP"), QStringLiteral("BMP"));
    EXPECT_EQ(QtPrompter::DefaultSuffix("CL2"), QStringLiteral("CL2"));
    EXPECT_EQ(QtPrompter::DefaultSuffix(".tr1"), QStringLiteral("tr1"));
    EXPECT_EQ(QtPrompter::DefaultSuffix("*.*"), QString());
}

// Answers the next modal dialog from the event loop and keeps what it saw.
struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

void AnswerBox(Seen* seen, QMessageBox::StandardButton press) {
    QTimer::singleShot(0, [seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        seen->buttons = static_cast<int>(box->standardButtons());
        box->button(press)->click();
    });
}

TEST(QtPrompterTest, MessageBoxShowsCaptionIconAndButtons) {
    kova::test::QtTestApp();
    QtPrompter prompter;
    Seen seen;
    AnswerBox(&seen, QMessageBox::Cancel);
    EXPECT_EQ(prompter.Show("Save and renew the processing data.\nCan do it?", "Confirm",
                            kova::MessageIcon::Question, kova::MessageButtons::OkCancel),
              kova::MessageAnswer::Cancel);
    EXPECT_EQ(seen.title, QStringLiteral("Confirm"));
    EXPECT_EQ(seen.text, QStringLiteral("Save and renew the processing data.\nCan do it?"));
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons, static_cast<int>(QMessageBox::Ok | QMessageBox::Cancel));

    AnswerBox(&seen, QMessageBox::Ok);
    EXPECT_EQ(prompter.Show("'CFG' 文件版本错误。", "错误"), kova::MessageAnswer::Ok);
    EXPECT_EQ(seen.title, QString::fromUtf8("错误"));
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    AnswerBox(&seen, QMessageBox::No);
    EXPECT_EQ(prompter.Show("?", "KOVA", kova::MessageIcon::Stop, kova::MessageButtons::YesNo),
              kova::MessageAnswer::No);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

TEST(QtPrompterTest, FileDialogTakesTheRequest) {
    kova::test::QtTestApp();
    QTemporaryDir dir;
    QtPrompter prompter;
    kova::FileDialogRequest request;
    request.kind = kova::FileDialogKind::Save;
    request.title = "保存文件。";
    request.filter = "2D标定文件(*.CL2)|*.CL2||";
    request.defaultExtension = "CL2";
    request.defaultName = "TEMP.CL2";
    request.initialDirectory = dir.path().toStdString();
    QString title;
    QStringList filters;
    QString suffix;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        suffix = dialog->defaultSuffix();
        static_cast<QDialog*>(dialog)->accept();
    });
    std::string path;
    ASSERT_TRUE(prompter.ChooseFile(request, &path));
    EXPECT_EQ(title, QString::fromUtf8("保存文件。"));
    EXPECT_EQ(filters, Strings({"2D标定文件(*.CL2) (*.CL2 *.cl2)"}));
    EXPECT_EQ(suffix, QStringLiteral("CL2"));
    EXPECT_EQ(QString::fromStdString(path), dir.filePath(QStringLiteral("TEMP.CL2")));
}

} // namespace
