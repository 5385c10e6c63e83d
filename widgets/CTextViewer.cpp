#include "CTextViewer.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextCharFormat>
#include <QTextCursor>

namespace {

QFont TableFont() {
    const QString family = QStringLiteral("WenQuanYi Micro Hei Mono");
    QFont font(family);
    font.setStyleHint(QFont::Monospace);
    if (QFontInfo(font).family() == family) return font;
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

// The tables pad their columns by GB18030 bytes, two for a Chinese
// character, so such a character must take exactly two ASCII columns on
// screen. Monospaced fonts draw it narrower (WenQuanYi Micro Hei Mono: one
// em against 0.6 em), so the difference is added as letter spacing.
qreal WideSpacing(const QFontMetricsF& metrics, QChar c) {
    if (c.unicode() < 0x80 || c.isSurrogate()) return 0.0;
    return 2 * metrics.horizontalAdvance(QLatin1Char('0')) - metrics.horizontalAdvance(c);
}

QTextCharFormat SpacedFormat(qreal spacing) {
    QTextCharFormat format;
    if (spacing != 0.0) {
        format.setFontLetterSpacingType(QFont::AbsoluteSpacing);
        format.setFontLetterSpacing(spacing);
    }
    return format;
}

// Appends `text` in runs of equal spacing.
void InsertAligned(QTextCursor* cursor, const QFontMetricsF& metrics, const QString& text) {
    int start = 0;
    while (start < text.size()) {
        const qreal spacing = WideSpacing(metrics, text[start]);
        int end = start + 1;
        while (end < text.size() && WideSpacing(metrics, text[end]) == spacing)
            ++end;
        cursor->insertText(text.mid(start, end - start), SpacedFormat(spacing));
        start = end;
    }
}

} // namespace

CTextViewer::CTextViewer(kova::Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), prompter_(prompter), text_(new QPlainTextEdit(this)) {
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(TableFont());
    text_->setAccessibleName(QStringLiteral("结果文本"));
    setCentralWidget(text_);
    BuildMenus();
    resize(800, 600);
}

void CTextViewer::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件"));
    file->addAction(QStringLiteral("保存..."), QKeySequence::Save, this, &CTextViewer::Save);
    file->addAction(QStringLiteral("打印..."), QKeySequence::Print, this, &CTextViewer::Print);
    file->addAction(QStringLiteral("打印预览..."), this, &CTextViewer::PrintPreview);
    file->addSeparator();
    file->addAction(QStringLiteral("关闭"), this, &QWidget::close);
    // The text area handles the copy and select-all keys itself.
    QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑"));
    edit->addAction(QStringLiteral("复制"), this, &CTextViewer::Copy);
    edit->addAction(QStringLiteral("全选"), this, &CTextViewer::SelectAll);
}

void CTextViewer::SetSaveSettings(const std::string& filterName) {
    export_.SetFilterName(filterName);
}

void CTextViewer::SetTitle(const std::string& title) {
    setWindowTitle(QString::fromStdString(title));
}

void CTextViewer::Clear() {
    text_->clear();
    export_.Clear();
}

void CTextViewer::AddString(const std::string& line) {
    export_.AddLine(line);
    QTextCursor end(text_->document());
    end.movePosition(QTextCursor::End);
    InsertAligned(&end, QFontMetricsF(text_->font()), QString::fromStdString(line));
}

void CTextViewer::SetCsv(kova::CsvTable csv) {
    export_.SetCsv(std::move(csv));
}

std::string CTextViewer::Text() const {
    return export_.Text();
}

void CTextViewer::Save() {
    export_.Save(prompter_);
}

void CTextViewer::Print() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) PrintTo(&printer);
}

void CTextViewer::PrintPreview() {
    QPrintPreviewDialog preview(this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintTo(printer); });
    preview.exec();
}

void CTextViewer::PrintTo(QPrinter* printer) const {
    printer->setDocName(windowTitle());
    text_->print(printer);
}

void CTextViewer::Copy() {
    if (text_->textCursor().hasSelection())
        text_->copy();
    else
        QGuiApplication::clipboard()->setText(QString::fromStdString(Text()));
}

void CTextViewer::SelectAll() {
    text_->selectAll();
}
