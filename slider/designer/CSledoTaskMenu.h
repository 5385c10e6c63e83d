#pragma once

#include <QObject>
#include <QPointer>
#include <QtDesigner/QDesignerTaskMenuExtension>
#include <QtDesigner/QExtensionFactory>

class CSledoCtrl;
class QAction;
class QExtensionManager;

// The "Edit Properties..." entry of a slider's context menu in Designer: it
// opens the property page and records what the page changed in the form.
class CSledoTaskMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

public:
    CSledoTaskMenu(CSledoCtrl* control, QObject* parent);

    QAction* preferredEditAction() const override;
    QList<QAction*> taskActions() const override;

private:
    void EditProperties();

    QPointer<CSledoCtrl> control_;
    QAction* editAction_;
};

// Hands Designer a task menu for every slider.
class CSledoTaskMenuFactory : public QExtensionFactory {
    Q_OBJECT

public:
    explicit CSledoTaskMenuFactory(QExtensionManager* parent);

protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};
