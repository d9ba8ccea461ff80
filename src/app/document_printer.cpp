#include "app/document_printer.h"

#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <memory>

#include "engine/message_window.h"

namespace tally {

bool DocumentPrinter::printersAvailable() {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

QString DocumentPrinter::defaultPdfPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("Calculations.pdf"));
}

void DocumentPrinter::report(const QString& text) const {
    if (m_messages) m_messages->notify(u"Tally Печать", text.toStdU16String());
}

bool DocumentPrinter::printOn(QPrinter& printer) const {
    QTextCursor selection = m_editor.textCursor();
    const bool selectedOnly =
        selection.hasSelection() && printer.printRange() == QPrinter::Selection;
    std::unique_ptr<QTextDocument> copy;
    if (selectedOnly) {
        copy = std::make_unique<QTextDocument>();
        copy->setDefaultFont(m_editor.document()->defaultFont());
        QTextCursor(copy.get()).insertFragment(selection.selection());
    } else {
        copy.reset(m_editor.document()->clone());
    }
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    if (toFile) {
        QFileInfo file(printer.outputFileName());
        bool writable =
            file.exists() ? file.isWritable() : QFileInfo(file.absolutePath()).isWritable();
        if (!writable) return false;
    }
    copy->print(&printer);
    if (printer.printerState() == QPrinter::Error) return false;
    return !toFile || QFileInfo(printer.outputFileName()).size() > 0;
}

void DocumentPrinter::print() {
    const bool noPrinter = !printersAvailable();
    QPrinter printer(QPrinter::HighResolution);
    if (noPrinter) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(defaultPdfPath());
    }
    QPrintDialog dialog(&printer, m_dialogParent);
    dialog.setWindowTitle(noPrinter ? QStringLiteral("Печать: принтер не найден, печать в PDF")
                                    : QStringLiteral("Печать"));
    const bool hasSelection = m_editor.textCursor().hasSelection();
    dialog.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
    if (hasSelection) printer.setPrintRange(QPrinter::Selection);
    if (dialog.exec() != QDialog::Accepted) return;
    if (!printOn(printer)) {
        QString target = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                                       : printer.printerName();
        report(QStringLiteral("Не удалось напечатать документ: %1").arg(target));
    }
}

}  // namespace tally
