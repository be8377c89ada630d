#pragma once

#include <QString>

namespace sopaly {

// A file name made from a title the user typed, such as "Sopa de otoño: 3ºB":
// each character that FAT file systems (a USB stick) and Windows refuse in a
// name, `\ / : * ? " < > |` and the control characters, becomes "-".
QString portableFileName(const QString& title);

}  // namespace sopaly
