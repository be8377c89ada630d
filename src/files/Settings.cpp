#include "Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace sopaly {

namespace {

// The first folder of a colon-separated list such as XDG_CONFIG_DIRS, or the
// fallback when the variable is unset or empty.
QString firstFolderOf(const char* variable, const QString& fallback) {
    const QStringList folders = qEnvironmentVariable(variable).split(u':', Qt::SkipEmptyParts);
    for (const QString& folder : folders) {
        if (QDir::isAbsolutePath(folder)) return folder;
    }
    return fallback;
}

}  // namespace

QString fileDialogKey(FileDialog dialog) {
    switch (dialog) {
        case FileDialog::OpenList:
            return QStringLiteral("carpetas/abrir_lista");
        case FileDialog::SaveList:
            return QStringLiteral("carpetas/guardar_lista");
        case FileDialog::WorksheetPdf:
            return QStringLiteral("carpetas/hoja_de_trabajo");
        case FileDialog::ClassroomPdf:
            return QStringLiteral("carpetas/juego_para_la_clase");
        case FileDialog::PreviewPdf:
            return QStringLiteral("carpetas/vista_preliminar");
    }
    return QString();
}

Settings::Settings() {
    // Qt reads XDG_CONFIG_HOME once per process and ignores XDG_CONFIG_DIRS;
    // both are read afresh here, so that each start (and each test) finds the
    // files the environment names.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       firstFolderOf("XDG_CONFIG_HOME",
                                     QDir(QDir::homePath()).filePath(QStringLiteral(".config"))));
    QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope,
                       firstFolderOf("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg")));
    settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("sopaly"), QStringLiteral("sopaly"));
}

Settings::~Settings() = default;

QString Settings::fileName() const {
    return settings_->fileName();
}

std::optional<int> Settings::number(const QString& key, int lowest, int highest) const {
    const QVariant value = settings_->value(key);
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    const int read = value.toString().trimmed().toInt(&ok);
    if (!ok || read < lowest || read > highest) return std::nullopt;
    return read;
}

std::optional<bool> Settings::easy() const {
    const QString value = settings_->value(settingKey::kDifficulty).toString().trimmed();
    if (value.compare(kDifficultyEasy, Qt::CaseInsensitive) == 0) return true;
    if (value.compare(kDifficultyMaster, Qt::CaseInsensitive) == 0) return false;
    return std::nullopt;
}

std::optional<bool> Settings::flag(const QString& key) const {
    const QString value = settings_->value(key).toString().trimmed();
    if (value.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0) return true;
    if (value.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0) return false;
    return std::nullopt;
}

std::optional<QString> Settings::word(const QString& key) const {
    const QString value = settings_->value(key).toString().trimmed();
    if (value.isEmpty()) return std::nullopt;
    return value;
}

std::optional<QString> Settings::folder(const QString& key) const {
    const QString value = settings_->value(key).toString();
    if (value.isEmpty() || !QDir::isAbsolutePath(value)) return std::nullopt;
    return QDir::cleanPath(value);
}

std::optional<QString> Settings::store(const QString& key, const QString& value) {
    settings_->setValue(key, value);
    settings_->sync();
    if (settings_->status() == QSettings::NoError || failureTold_) return std::nullopt;
    failureTold_ = true;
    return QStringLiteral(
               "No se pudo guardar la configuración en %1: Sopaly no recordará sus "
               "preferencias la próxima vez.")
        .arg(QDir::toNativeSeparators(fileName()));
}

std::optional<QString> Settings::storeNumber(const QString& key, int value) {
    return store(key, QString::number(value));
}

std::optional<QString> Settings::storeNumberText(const NumberSetting& setting,
                                                 const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < setting.lowest || value > setting.highest) return std::nullopt;
    return storeNumber(setting.key, value);
}

std::optional<QString> Settings::storeFlag(const QString& key, bool flag) {
    return store(key, flag ? QStringLiteral("true") : QStringLiteral("false"));
}

std::optional<QString> Settings::storeEasy(bool easy) {
    return store(settingKey::kDifficulty, easy ? kDifficultyEasy : kDifficultyMaster);
}

QString fileDialogFolder(const Settings& settings, FileDialog dialog) {
    if (const auto last = settings.folder(fileDialogKey(dialog));
        last && QFileInfo(*last).isDir()) {
        return *last;
    }
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

std::optional<QString> rememberFileDialogChoice(Settings& settings, FileDialog dialog,
                                                const QString& chosenFile) {
    if (chosenFile.isEmpty()) return std::nullopt;
    const QString folder = QFileInfo(chosenFile).absolutePath();
    return settings.store(fileDialogKey(dialog), folder);
}

}  // namespace sopaly
