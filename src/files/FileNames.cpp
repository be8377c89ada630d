#include "FileNames.h"

namespace sopaly {

QString portableFileName(const QString& title) {
    static const QString refused = QStringLiteral("\\/:*?\"<>|");
    QString name = title;
    for (QChar& c : name) {
        if (c.category() == QChar::Other_Control || refused.contains(c)) c = u'-';
    }
    return name;
}

}  // namespace sopaly
