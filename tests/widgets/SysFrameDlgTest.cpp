#include "CFrameStore.h"
#include "CSysFrameDlg.h"
#include "QtTestApp.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(FrameStoreSettingsTest, SavedValuesComeBackAndBadOnesAreIgnored) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    FrameStoreSettings values;
    values.greyFrames = 120;
    values.colorFrames = 40;
    values.directories[0] = "/data/images";
    values.Save(settings);
    FrameStoreSettings fallback;
    fallback.greyFrames = 300;
    fallback.colorFrames = 300;
    fallback.directories[1] = "/home/data";
    FrameStoreSettings back = FrameStoreSettings::Load(settings, fallback);
    EXPECT_EQ(back.greyFrames, 120);
    EXPECT_EQ(back.colorFrames, 40);
    EXPECT_EQ(back.directories[0], "/data/images");
    EXPECT_EQ(back.directories[1], "/home/data");
    settings.setValue(QStringLiteral("FrameStore/GreyFrames"), -5);
    settings.setValue(QStringLiteral("FrameStore/ColorFrames"), QStringLiteral("many"));
    back = FrameStoreSettings::Load(settings, fallback);
    EXPECT_EQ(back.greyFrames, 300);
    EXPECT_EQ(back.colorFrames, 300);
}

TEST(FrameStoreSettingsTest, ApplyChangesTheStoreOnlyWhenValid) {
    kova::CFrameStore store;
    FrameStoreSettings values = FrameStoreSettings::From(store);
    values.greyFrames = 0;
    EXPECT_FALSE(values.Apply(store));
    EXPECT_EQ(store.Get_nofframe(), kova::CFrameStore::kDefaultFrames);
    values.greyFrames = 12;
    values.colorFrames = 5;
    values.directories[1] = "/tmp/kova-data";
    EXPECT_TRUE(values.Apply(store));
    EXPECT_EQ(store.Get_nofframe(), 12);
    EXPECT_EQ(store.Get_nofframe_color(), 5);
    EXPECT_EQ(store.Get_directory(2), "/tmp/kova-data");
}

TEST(SysFrameDlgTest, AcceptAppliesAndKeeps) {
    kova::test::QtTestApp();
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("s.ini")), QSettings::IniFormat);
    kova::CFrameStore store;
    store.InitImageSys();
    CSysFrameDlg dialog(store, settings);
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("系统帧设定"));
    FrameStoreSettings values = dialog.Values();
    EXPECT_EQ(values.greyFrames, store.Get_nofframe());
    values.greyFrames = 77;
    values.directories[0] = "/srv/images";
    dialog.SetValues(values);
    dialog.accept();
    EXPECT_EQ(store.Get_nofframe(), 77);
    EXPECT_EQ(store.Get_directory(1), "/srv/images");
    EXPECT_EQ(settings.value(QStringLiteral("FrameStore/GreyFrames")).toInt(), 77);
}

} // namespace
