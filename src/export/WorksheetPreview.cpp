#include "WorksheetPreview.h"

#include <QCoreApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace sopaly {

void previewWorksheets(QWidget* parent, const std::vector<WorksheetPuzzle>& sheets,
                       const QString& documentTitle) {
    QPrinter printer(QPrinter::HighResolution);
    setUpWorksheetPrinter(printer, worksheetPageSize(), documentTitle);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("worksheetPrintPreview"));
    dialog.setWindowTitle(
        QCoreApplication::translate("WorksheetPreview", "Imprimir hoja de trabajo"));
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&sheets](QPrinter* target) { printWorksheets(*target, sheets); });
    dialog.exec();
}

}  // namespace sopaly
