#pragma once

#include <QString>
#include <vector>

#include "Worksheet.h"

class QWidget;

namespace sopaly {

// Qt's print preview of worksheets and their keys, as worksheetPdf lays
// them out, on the default printer's page; it prints from there. Returns
// when the user closes it.
void previewWorksheets(QWidget* parent, const std::vector<WorksheetPuzzle>& sheets,
                       const QString& documentTitle);

}  // namespace sopaly
