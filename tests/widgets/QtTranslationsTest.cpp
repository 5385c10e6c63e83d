#include "QtTranslations.h"

#include "QtTestApp.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

TEST(QtTranslationsTest, StandardButtonsReadChinese) {
    QApplication& app = kova::test::QtTestApp();
    ASSERT_TRUE(kova::InstallQtTranslations(app));
    QDialogButtonBox box(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    EXPECT_EQ(box.button(QDialogButtonBox::Open)->text(), QStringLiteral("打开"));
    // The other tests see Qt's own texts again.
    for (QTranslator* translator : app.findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

} // namespace
