#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

#include "SettingsTable.h"

class QSettings;

namespace sopaly {

// What the program keeps between runs, through QSettings: the user's file is
// $XDG_CONFIG_HOME/sopaly/sopaly.conf (~/.config/sopaly/sopaly.conf), and an
// administrator presets the same keys for everyone in
// $XDG_CONFIG_DIRS/sopaly/sopaly.conf (/etc/xdg/sopaly/sopaly.conf). A key the
// user's file lacks is read from the administrator's. A file that is not a
// regular file within 1 MiB is never opened: its values are the defaults.
namespace settingKey {
inline const QString kGridRows = kGridRowsSetting.key;
inline const QString kGridColumns = kGridColumnsSetting.key;
inline const QString kWordLimit = kWordLimitSetting.key;
inline const QString kDifficulty = QStringLiteral("rompecabezas/dificultad");
inline const QString kBatchCount = kBatchCountSetting.key;
inline const QString kClassroomVersions = kClassroomVersionsSetting.key;
// The Options menu's checks and shape; the secret message is never kept.
inline const QString kLowerCase = QStringLiteral("opciones/minusculas");
inline const QString kShape = QStringLiteral("opciones/forma");
inline const QString kHideList = QStringLiteral("opciones/ocultar_lista");
inline const QString kLetterSize = QStringLiteral("opciones/tamano_de_letra");
inline const QString kEasyReading = QStringLiteral("opciones/lectura_facil");
// The user's Sopaly folder once the installed program has chosen it.
inline const QString kProgramFolder = QStringLiteral("carpetas/sopaly");
}  // namespace settingKey

// The keys "Restablecer valores iniciales" takes back to the defaults: the
// numbers, the difficulty and the options; not the folders.
QStringList resettableKeys();

// Each file dialog remembers the folder it was last used in, under a key of
// its own.
enum class FileDialog {
    OpenList,
    SaveList,
    WorksheetPdf,
    ClassroomPdf,
    PreviewPdf,
    OpenPuzzle,
    WebPage,
    ScormPackage
};
QString fileDialogKey(FileDialog dialog);

// The two difficulties as the settings file spells them.
inline const QString kDifficultyMaster = QStringLiteral("master");
inline const QString kDifficultyEasy = QStringLiteral("facil");

class Settings {
  public:
    Settings();
    ~Settings();
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // A whole number within [lowest, highest]; anything else, or a missing
    // key, reads as nothing, so that the field keeps its design value.
    std::optional<int> number(const QString& key, int lowest, int highest) const;
    std::optional<int> number(const NumberSetting& setting) const {
        return number(setting.key, setting.lowest, setting.highest);
    }
    // "master" or "facil"; true for the easy one.
    std::optional<bool> easy() const;
    // "true" or "false".
    std::optional<bool> flag(const QString& key) const;
    // A word such as a shape's; nothing when the key is missing or empty.
    std::optional<QString> word(const QString& key) const;
    // An absolute path; whether it exists is the caller's question.
    std::optional<QString> folder(const QString& key) const;

    // Each store is written out at once. The first store that cannot be
    // written returns the sentence that tells the user; later failures
    // return nothing, so the user hears it once.
    std::optional<QString> store(const QString& key, const QString& value);
    std::optional<QString> storeNumber(const QString& key, int value);
    // Stores `text` when it reads as the setting expects; a field on its
    // way to a value ("1" of "12") or a wrong one leaves the last good one.
    std::optional<QString> storeNumberText(const NumberSetting& setting, const QString& text);
    std::optional<QString> storeEasy(bool easy);
    std::optional<QString> storeFlag(const QString& key, bool flag);

    // Removes the user's own values of resettableKeys(), so that the
    // administrator's presets, or else the design values, apply again.
    std::optional<QString> resetToDefaults();

    // The user's settings file.
    QString fileName() const;

  private:
    QVariant read(const QString& key) const;
    // The sentence for the first store that could not be kept.
    std::optional<QString> failureOnce();

    QString userFile_;
    // Null when the file is there but is no regular file of a sensible
    // size: its values are then the design values, and what the user
    // changes is kept for this run only.
    std::unique_ptr<QSettings> user_;
    QHash<QString, QVariant> unsaved_;
    // The administrator's presets, when there is a usable file of them.
    std::unique_ptr<QSettings> system_;
    bool failureTold_ = false;
};

// Where a file dialog opens: the folder it was last used in, else the user's
// documents folder, else the home folder. Never the current folder, which is
// wherever the program happened to be started.
QString fileDialogFolder(const Settings& settings, FileDialog dialog);
// Remembers the folder of the file the user chose in `dialog`.
std::optional<QString> rememberFileDialogChoice(Settings& settings, FileDialog dialog,
                                                const QString& chosenFile);

}  // namespace sopaly
