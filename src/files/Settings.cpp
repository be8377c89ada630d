#include "Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "CheckedRead.h"

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

QStringList resettableKeys() {
    using namespace settingKey;
    return {kGridRows,  kGridColumns, kWordLimit, kDifficulty, kBatchCount, kClassroomVersions,
            kLowerCase, kShape,       kHideList,  kLetterSize, kEasyReading};
}

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
        case FileDialog::OpenPuzzle:
            return QStringLiteral("carpetas/abrir_rompecabezas");
        case FileDialog::WebPage:
            return QStringLiteral("carpetas/pagina_web");
        case FileDialog::ScormPackage:
            return QStringLiteral("carpetas/paquete_scorm");
    }
    return QString();
}

namespace {

// A settings file QSettings may open: one that is not there yet, or a
// regular file of a sensible size. A FIFO would hold the program before its
// window ever opened, and a huge file would fill its memory.
std::unique_ptr<QSettings> checkedSettingsFile(const QString& path) {
    const ReadRefusal refusal = checkRegularFile(path, kLargestListFile);
    if (refusal != ReadRefusal::None && refusal != ReadRefusal::Missing) return nullptr;
    return std::make_unique<QSettings>(path, QSettings::IniFormat);
}

}  // namespace

Settings::Settings()
    // XDG_CONFIG_HOME and XDG_CONFIG_DIRS are read afresh here, so that each
    // start (and each test) finds the files the environment names.
    : userFile_(QDir(firstFolderOf("XDG_CONFIG_HOME",
                                   QDir(QDir::homePath()).filePath(QStringLiteral(".config"))))
                    .filePath(QStringLiteral("sopaly/sopaly.conf"))),
      user_(checkedSettingsFile(userFile_)),
      system_(checkedSettingsFile(QDir(firstFolderOf("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg")))
                                      .filePath(QStringLiteral("sopaly/sopaly.conf")))) {}

Settings::~Settings() = default;

QString Settings::fileName() const {
    return userFile_;
}

QVariant Settings::read(const QString& key) const {
    // The user's own value, else the administrator's preset.
    if (user_ && user_->contains(key)) return user_->value(key);
    if (!user_ && unsaved_.contains(key)) return unsaved_.value(key);
    return system_ ? system_->value(key) : QVariant();
}

std::optional<int> Settings::number(const QString& key, int lowest, int highest) const {
    const QVariant value = read(key);
    if (!value.isValid()) return std::nullopt;
    bool ok = false;
    const int read = value.toString().trimmed().toInt(&ok);
    if (!ok || read < lowest || read > highest) return std::nullopt;
    return read;
}

std::optional<bool> Settings::easy() const {
    const QString value = read(settingKey::kDifficulty).toString().trimmed();
    if (value.compare(kDifficultyEasy, Qt::CaseInsensitive) == 0) return true;
    if (value.compare(kDifficultyMaster, Qt::CaseInsensitive) == 0) return false;
    return std::nullopt;
}

std::optional<bool> Settings::flag(const QString& key) const {
    const QString value = read(key).toString().trimmed();
    if (value.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0) return true;
    if (value.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0) return false;
    return std::nullopt;
}

std::optional<QString> Settings::word(const QString& key) const {
    const QString value = read(key).toString().trimmed();
    if (value.isEmpty()) return std::nullopt;
    return value;
}

std::optional<QString> Settings::folder(const QString& key) const {
    const QString value = read(key).toString();
    if (value.isEmpty() || !QDir::isAbsolutePath(value)) return std::nullopt;
    return QDir::cleanPath(value);
}

std::optional<QString> Settings::store(const QString& key, const QString& value) {
    if (user_) {
        user_->setValue(key, value);
        user_->sync();
    } else {
        unsaved_.insert(key, value);
    }
    return failureOnce();
}

std::optional<QString> Settings::resetToDefaults() {
    for (const QString& key : resettableKeys()) {
        if (user_) user_->remove(key);
        unsaved_.remove(key);
    }
    if (user_) user_->sync();
    return failureOnce();
}

std::optional<QString> Settings::failureOnce() {
    const bool kept = user_ && user_->status() == QSettings::NoError;
    if (kept || failureTold_) return std::nullopt;
    failureTold_ = true;
    return QCoreApplication::translate(
               "Settings",
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
