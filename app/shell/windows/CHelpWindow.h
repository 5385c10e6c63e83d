#pragma once

#include <QDialog>
#include <QString>
#include <string>

class QTextBrowser;

// The help window: the HTML user guide installed beside the program.
class CHelpWindow : public QDialog {
    Q_OBJECT

public:
    explicit CHelpWindow(const QString& indexPath, QWidget* parent = nullptr);

    // The guide's first page for a program directory: <dir>/help/index.html,
    // else <dir>/../share/kova/help/index.html; empty when neither exists.
    static QString FindIndex(const std::string& programDirectory);

    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};
