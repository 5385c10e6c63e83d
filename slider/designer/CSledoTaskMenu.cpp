#include "CSledoTaskMenu.h"

#include "CSledoCtrl.h"
#include "CSledoPropPage.h"

#include <QAction>
#include <QMetaProperty>
#include <QtDesigner/QDesignerFormWindowCursorInterface>
#include <QtDesigner/QDesignerFormWindowInterface>

CSledoTaskMenu::CSledoTaskMenu(CSledoCtrl* control, QObject* parent)
    : QObject(parent), control_(control),
      editAction_(new QAction(QStringLiteral("Edit Properties..."), this)) {
    connect(editAction_, &QAction::triggered, this, &CSledoTaskMenu::EditProperties);
}

QAction* CSledoTaskMenu::preferredEditAction() const {
    return editAction_;
}

QList<QAction*> CSledoTaskMenu::taskActions() const {
    return {editAction_};
}

void CSledoTaskMenu::EditProperties() {
    if (!control_) return;
    // Remember the stored properties to tell the form which ones the page
    // changed; the form then saves them and can undo them.
    const QMetaObject* meta = control_->metaObject();
    QList<QPair<QMetaProperty, QVariant>> before;
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (property.isStored()) before.append({property, property.read(control_)});
    }
    CSledoPropPage page(control_, control_->window());
    page.exec();
    QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(control_);
    if (!form || !control_) return;
    for (const auto& [property, old] : before) {
        const QVariant now = property.read(control_);
        if (now != old)
            form->cursor()->setWidgetProperty(control_, QString::fromLatin1(property.name()), now);
    }
}

CSledoTaskMenuFactory::CSledoTaskMenuFactory(QExtensionManager* parent)
    : QExtensionFactory(parent) {}

QObject* CSledoTaskMenuFactory::createExtension(QObject* object, const QString& iid,
                                                QObject* parent) const {
    auto* control = qobject_cast<CSledoCtrl*>(object);
    if (!control || iid != Q_TYPEID(QDesignerTaskMenuExtension)) return nullptr;
    return new CSledoTaskMenu(control, parent);
}
