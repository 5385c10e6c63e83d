#include "CSledoDesignerPlugin.h"

#include "CSledoCtrl.h"
#include "CSledoTaskMenu.h"

#include <QIcon>
#include <QPixmap>
#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

CSledoDesignerPlugin::CSledoDesignerPlugin(QObject* parent) : QObject(parent) {}

QString CSledoDesignerPlugin::name() const {
    return QStringLiteral("CSledoCtrl");
}

QString CSledoDesignerPlugin::group() const {
    return QStringLiteral("kova");
}

QString CSledoDesignerPlugin::toolTip() const {
    return QStringLiteral("Sledo Control");
}

QString CSledoDesignerPlugin::whatsThis() const {
    return QStringLiteral("A two-thumb range slider reporting Change and Fix.");
}

QString CSledoDesignerPlugin::includeFile() const {
    return QStringLiteral("CSledoCtrl.h");
}

QIcon CSledoDesignerPlugin::icon() const {
    // The control's own picture, drawn small and horizontal.
    CSledoCtrl control;
    control.resize(32, 12);
    control.SetBar(20, 70);
    return QIcon(control.grab());
}

bool CSledoDesignerPlugin::isContainer() const {
    return false;
}

QWidget* CSledoDesignerPlugin::createWidget(QWidget* parent) {
    return new CSledoCtrl(parent);
}

bool CSledoDesignerPlugin::isInitialized() const {
    return initialized_;
}

void CSledoDesignerPlugin::initialize(QDesignerFormEditorInterface* core) {
    if (initialized_) return;
    initialized_ = true;
    if (!core) return;
    QExtensionManager* manager = core->extensionManager();
    manager->registerExtensions(new CSledoTaskMenuFactory(manager),
                                Q_TYPEID(QDesignerTaskMenuExtension));
}

QString CSledoDesignerPlugin::domXml() const {
    return QStringLiteral(R"(<ui language="c++">
 <widget class="CSledoCtrl" name="sledo">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>20</width><height>160</height></rect>
  </property>
 </widget>
</ui>
)");
}
