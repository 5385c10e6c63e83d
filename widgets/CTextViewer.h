#pragma once

#include "CsvTable.h"
#include "ResultTextExport.h"

#include <QMainWindow>
#include <string>

class QPlainTextEdit;
class QPrinter;

namespace kova {
class Prompter;
}

// The result text window: a read-only monospaced view of an analysis table
// with saving (.tr1/.txt as GB18030 text, .csv for a spreadsheet), printing,
// print preview and copying. Chinese characters take exactly two ASCII
// columns, so the columns of the table line up on screen as in the file.
class CTextViewer : public QMainWindow {
    Q_OBJECT

public:
    CTextViewer(kova::Prompter& prompter, QWidget* parent);

    // The .tr1 entry's name of the save dialog ("2D Tr File" or "2D跟踪文件").
    void SetSaveSettings(const std::string& filterName);
    void SetTitle(const std::string& title);
    // Empties the text and forgets the CSV table.
    void Clear();
    // One line of the table, normally ending in "\n"; appended in order.
    void AddString(const std::string& line);
    void SetCsv(kova::CsvTable csv);
    // The text exactly as shown and saved (UTF-8, line feeds).
    std::string Text() const;

    // The menu commands. Save asks for a name (a ".csv" name writes the CSV
    // table); Copy copies the selection, or all the text when nothing is
    // selected.
    void Save();
    void Print();
    void PrintPreview();
    void Copy();
    void SelectAll();
    // Prints the text on `printer` (a PDF file needs no printer).
    void PrintTo(QPrinter* printer) const;

private:
    void BuildMenus();

    kova::Prompter& prompter_;
    QPlainTextEdit* text_;
    kova::ResultTextExport export_;
};
