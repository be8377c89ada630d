#pragma once

#include <QByteArray>
#include <QString>

#include "Worksheet.h"

namespace sopaly {

// A SCORM 1.2 package of the puzzle, which a learning platform (Moodle's
// SCORM activity) opens for each pupil and marks: a zip, made in memory,
// holding imsmanifest.xml and the puzzle's web page as its one SCO. The page
// reports the share of words found as the score and "completed" once all
// are. Empty when the zip could not be made.
QByteArray scormPackage(const WorksheetPuzzle& puzzle);

// The sentence that tells the user the package could not be made.
QString scormNotMadeMessage(const QString& path);

// The package's manifest: one organization with one item, whose one SCO is
// the page `page`, both titled `title`.
QByteArray scormManifest(const QString& title, const QString& page);

// The page's name inside the package.
inline const QString kScormPage = QStringLiteral("index.html");

}  // namespace sopaly
