#include "RememberedOptions.h"

#include <QSettings>

namespace sopaly {

namespace {

const QString kLowerCase = QStringLiteral("opciones/minusculas");
const QString kShape = QStringLiteral("opciones/forma");
const QString kHideList = QStringLiteral("opciones/ocultar_lista");

QSettings settingsFile() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("sopaly"),
                     QStringLiteral("sopaly"));
}

// "true" or "false" as the file writes them; anything else is no reading.
void readFlag(const QSettings& settings, const QString& key, bool& flag) {
    const QString text = settings.value(key).toString().trimmed().toLower();
    if (text == u"true") flag = true;
    if (text == u"false") flag = false;
}

}  // namespace

RememberedOptions readRememberedOptions() {
    const QSettings settings = settingsFile();
    RememberedOptions options;
    readFlag(settings, kLowerCase, options.lowerCase);
    readFlag(settings, kHideList, options.hideList);
    options.shape = settings.value(kShape).toString();
    return options;
}

bool rememberOptions(const RememberedOptions& options) {
    QSettings settings = settingsFile();
    settings.setValue(kLowerCase, options.lowerCase);
    settings.setValue(kShape, options.shape);
    settings.setValue(kHideList, options.hideList);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace sopaly
