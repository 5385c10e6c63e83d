#include "CSledoCtrl.h"
#include "QtTestApp.h"

#include <QPluginLoader>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <gtest/gtest.h>
#include <memory>

// Loads the plugin as Designer does and lets it make a control.
TEST(SledoDesignerPlugin, OffersTheControlToDesigner) {
    kova::test::QtTestApp();
    QPluginLoader loader(QStringLiteral(SLEDO_DESIGNER_PLUGIN));
    QObject* instance = loader.instance();
    ASSERT_NE(instance, nullptr) << loader.errorString().toStdString();
    auto* plugin = qobject_cast<QDesignerCustomWidgetInterface*>(instance);
    ASSERT_NE(plugin, nullptr);
    plugin->initialize(nullptr);
    EXPECT_TRUE(plugin->isInitialized());
    EXPECT_EQ(plugin->name(), QStringLiteral("CSledoCtrl"));
    EXPECT_EQ(plugin->includeFile(), QStringLiteral("CSledoCtrl.h"));
    EXPECT_FALSE(plugin->isContainer());
    EXPECT_TRUE(plugin->domXml().contains(QStringLiteral("class=\"CSledoCtrl\"")));
    EXPECT_FALSE(plugin->icon().isNull());
    const std::unique_ptr<QWidget> widget(plugin->createWidget(nullptr));
    EXPECT_NE(qobject_cast<CSledoCtrl*>(widget.get()), nullptr);
}
