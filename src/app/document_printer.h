#pragma once

#include <QString>

class QPlainTextEdit;
class QPrinter;
class QWidget;

namespace tally {

class Messages;

// Prints the document (or its selection) through the print dialog. Where the system knows
// no printer, the same dialog offers printing into a PDF file and says why.
class DocumentPrinter {
  public:
    DocumentPrinter(QPlainTextEdit& editor, QWidget* dialogParent)
        : m_editor(editor), m_dialogParent(dialogParent) {}

    void setMessages(Messages* messages) { m_messages = messages; }
    void print();

    // Prints the selection, or the whole document when nothing is selected, on a printer
    // that is set up already. False when nothing could be written.
    [[nodiscard]] bool printOn(QPrinter& printer) const;

    static bool printersAvailable();
    // Where a PDF goes when there is no printer: the user's documents folder, or the home
    // folder when there is none.
    static QString defaultPdfPath();

  private:
    void report(const QString& text) const;

    QPlainTextEdit& m_editor;
    QWidget* m_dialogParent;
    Messages* m_messages = nullptr;
};

}  // namespace tally
