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
    EXPECT_EQ(plugin->includeFile(), QStringLiteral("CSledoCtrl.h"));
    const std::unique_ptr<QWidget> widget(plugin->createWidget(nullptr));
    EXPECT_NE(qobject_cast<CSledoCtrl*>(widget.get()), nullptr);
}
