#include "CSledoCtrl.h"
#include "QtTestApp.h"
#include "ui_SledoForm.h"

#include <gtest/gtest.h>

// A form made in Designer sets the slider's properties through its setters.
TEST(SledoForm, DesignerFormsSetTheProperties) {
    kova::test::QtTestApp();
    QWidget form;
    Ui::SledoForm ui;
    ui.setupUi(&form);
    EXPECT_EQ(ui.sledo->Min(), -10);
    EXPECT_TRUE(ui.sledo->Lock());
    EXPECT_EQ(ui.sledo->BarFcolor(), 255U);
}
