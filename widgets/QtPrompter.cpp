#include "QtPrompter.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

using kova::MessageAnswer;
using kova::MessageButtons;
using kova::MessageIcon;

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    case MessageButtons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MessageAnswer AnswerOf(int button, MessageButtons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Retry:
        return MessageAnswer::Retry;
    case QMessageBox::Abort:
        return MessageAnswer::Abort;
    case QMessageBox::Ignore:
        return MessageAnswer::Ignore;
    default:
        break;
    }
    // Closed by Escape or the close box: the negative answer.
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

QString Patterns(const QString& patterns) {
    QStringList all;
    const QStringList tokens =
        patterns.split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts);
    for (const QString& token : tokens)
        for (const QString& spelling : {token, token.toLower(), token.toUpper()})
            if (!all.contains(spelling)) all.append(spelling);
    return all.join(QLatin1Char(' '));
}

} // namespace

MessageAnswer QtPrompter::Show(const kova::Message& message) {
    QMessageBox box(IconOf(message.icon), Utf8(message.caption), Utf8(message.text),
                    ButtonsOf(message.buttons), parent_.data());
    return AnswerOf(box.exec(), message.buttons);
}

QStringList QtPrompter::NameFilters(const std::string& filter) {
    QStringList filters;
    const QStringList parts = Utf8(filter).split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = Patterns(parts[i + 1]);
        if (description.isEmpty() || patterns.isEmpty()) break;
        filters.append(description + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    }
    return filters;
}

QString QtPrompter::DefaultSuffix(const std::string& extension) {
    QString suffix = Utf8(extension).trimmed();
    while (suffix.startsWith(QLatin1Char('*')) || suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    if (suffix.contains(QLatin1Char('*')) || suffix.contains(QLatin1Char('?'))) return QString();
    return suffix;
}

bool QtPrompter::ChooseFiles(const kova::FileDialogRequest& request,
                             std::vector<std::string>* paths) {
    QFileDialog dialog(parent_.data(), Utf8(request.title), Utf8(request.initialDirectory));
    switch (request.kind) {
    case kova::FileDialogKind::Open:
        dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        break;
    case kova::FileDialogKind::OpenMultiple:
        dialog.setFileMode(QFileDialog::ExistingFiles);
        break;
    case kova::FileDialogKind::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
        break;
    }
    const QStringList filters = NameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex > 0 ? request.filterIndex - 1 : 0;
        if (index < filters.size()) dialog.selectNameFilter(filters[index]);
    }
    dialog.setDefaultSuffix(DefaultSuffix(request.defaultExtension));
    const QString name = Utf8(request.defaultName);
    if (!name.isEmpty() && !name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?')))
        dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return false;
    if (paths) {
        paths->clear();
        for (const QString& path : chosen)
            paths->push_back(path.toStdString());
    }
    return true;
}
