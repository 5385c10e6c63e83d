#pragma once

#include "Prompter.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

// The prompter of the main program: message boxes and file dialogs with the
// captions, icons, buttons, filters and titles the logic asks for.
class QtPrompter : public kova::Prompter {
public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}

    // The window that owns the dialogs (none: they stand alone).
    void SetParent(QWidget* parent) { parent_ = parent; }

    kova::MessageAnswer Show(const kova::Message& message) override;
    bool ChooseFiles(const kova::FileDialogRequest& request,
                     std::vector<std::string>* paths) override;
    using kova::Prompter::Show;

    // "description|pattern|description|pattern||" as Qt name filters
    // "description (patterns)"; each pattern also matches its lower- and
    // upper-case spelling, since file names are case-sensitive here.
    static QStringList NameFilters(const std::string& filter);
    // "*.BMP", ".BMP" or "BMP" -> "BMP"; "" for a wildcard.
    static QString DefaultSuffix(const std::string& extension);

private:
    QPointer<QWidget> parent_;
};
