#include "CHelpWindow.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

CHelpWindow::CHelpWindow(const QString& indexPath, QWidget* parent)
    : QDialog(parent), browser_(new QTextBrowser(this)) {
    setWindowTitle(QStringLiteral("KOVA 使用说明"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QFileInfo(indexPath).absolutePath()});
    browser_->setSource(QUrl::fromLocalFile(indexPath));
    resize(760, 600);
}

QString CHelpWindow::FindIndex(const std::string& programDirectory) {
    const QDir dir(QString::fromStdString(programDirectory));
    for (const QString& candidate :
         {QStringLiteral("help/index.html"), QStringLiteral("../share/kova/help/index.html")}) {
        const QFileInfo info(dir.filePath(candidate));
        if (info.isFile()) return info.canonicalFilePath();
    }
    return QString();
}
