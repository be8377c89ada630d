#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "Settings.h"

namespace sopaly {

namespace {

const QString kUserFolderName = QStringLiteral("Sopaly");

QString native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Puzzles the user made: batch files and PDFs.
bool holdsPuzzles(const QString& folder) {
    return !QDir(folder)
                .entryList({QStringLiteral("Tabloza*.txt"), QStringLiteral("*.pdf")}, QDir::Files,
                           QDir::NoSort)
                .isEmpty();
}

// The Sopaly folders a user may already have, the documents folder's first.
QStringList candidateFolders(const ProgramFolderPlace& place) {
    QStringList bases;
    if (!place.documentsFolder.isEmpty()) bases << place.documentsFolder;
    bases << QDir(place.homeFolder).filePath(QStringLiteral("Documentos"))
          << QDir(place.homeFolder).filePath(QStringLiteral("Documents"));
    QStringList folders;
    for (const QString& base : bases) {
        const QString folder = QDir::cleanPath(QDir(base).filePath(kUserFolderName));
        if (!folders.contains(folder)) folders << folder;
    }
    return folders;
}

// A user's folder that is already there, or a new one in the documents
// folder; `problems` learns of a second one left aside.
QString findOrNameUserFolder(const ProgramFolderPlace& place, QStringList& problems) {
    const QStringList candidates = candidateFolders(place);
    QStringList existing;
    for (const QString& folder : candidates) {
        if (QFileInfo(folder).isDir()) existing << folder;
    }
    if (existing.isEmpty()) {
        const QString base =
            place.documentsFolder.isEmpty() ? place.homeFolder : place.documentsFolder;
        return QDir::cleanPath(QDir(base).filePath(kUserFolderName));
    }
    QString chosen = existing.first();
    for (const QString& folder : existing) {
        if (holdsPuzzles(folder)) {
            chosen = folder;
            break;
        }
    }
    for (const QString& folder : existing) {
        if (folder == chosen) continue;
        problems << QCoreApplication::translate(
                        "ProgramFolder",
                        "Sopaly usa la carpeta %1. Hay otra carpeta Sopaly en %2, "
                        "que Sopaly deja como está.")
                        .arg(native(chosen), native(folder));
    }
    return chosen;
}

}  // namespace

QStringList shippedProgramFiles() {
    return {QStringLiteral("S.g"), QStringLiteral("bovedal.swf"), QStringLiteral("u.t"),
            QStringLiteral("p.t"), QStringLiteral("palabrotas.txt")};
}

QStringList overridableProgramFiles() {
    return {QStringLiteral("u.t"), QStringLiteral("p.t")};
}

QStringList additiveProgramFiles() {
    return {QStringLiteral("palabrotas.txt")};
}

QString systemProgramFolder() {
    const QString overridden = qEnvironmentVariable("SOPALY_ETC_DIR");
    return overridden.isEmpty() ? QStringLiteral("/etc/sopaly") : overridden;
}

bool folderIsWritable(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

QString ProgramFolderChoice::fileToRead(const QString& name) const {
    if (!overridableProgramFiles().contains(name)) return QDir(shippedFolder).filePath(name);
    const QString own = QDir(folder).filePath(name);
    const QFileInfo ownInfo(own);
    // Earlier versions copied their empty lists into every user's folder; such
    // a copy is no choice of the user's, and the banner stays the
    // administrator's to turn on or off.
    const bool userChoseOne = ownInfo.exists() && !(ownInfo.isFile() && ownInfo.size() == 0);
    if (userChoseOne || folder == shippedFolder) return own;
    const QString base = systemFolder.isEmpty() ? shippedFolder : systemFolder;
    return QDir(base).filePath(name);
}

QStringList ProgramFolderChoice::filesToRead(const QString& name) const {
    if (!additiveProgramFiles().contains(name)) return {fileToRead(name)};
    const QString base = QDir(systemFolder.isEmpty() ? shippedFolder : systemFolder).filePath(name);
    const QString own = QDir(folder).filePath(name);
    QStringList files{base};
    if (own != base && QFileInfo(own).isFile()) files << own;
    return files;
}

ProgramFolderChoice ProgramFolderChoice::inFolder(const QString& folder) {
    return {folder, folder, QString(), {}};
}

ProgramFolderChoice chooseProgramFolder(const ProgramFolderPlace& place, Settings& settings,
                                        const std::function<bool(const QString&)>& isWritable) {
    const bool installed =
        QFileInfo::exists(QDir(place.executableFolder).filePath(kInstalledMarker));
    if (!installed && isWritable(place.executableFolder)) {
        return ProgramFolderChoice::inFolder(place.executableFolder);
    }

    ProgramFolderChoice choice;
    choice.shippedFolder = place.executableFolder;
    choice.systemFolder = installed ? systemProgramFolder() : QString();

    const std::optional<QString> remembered = settings.folder(settingKey::kProgramFolder);
    if (remembered && QFileInfo(*remembered).isDir()) {
        choice.folder = *remembered;
        return choice;
    }
    QStringList others;
    choice.folder = findOrNameUserFolder(place, others);
    if (remembered) {
        // Something else may have taken the folder's name since.
        choice.problems << (QFileInfo::exists(*remembered)
                                ? QCoreApplication::translate(
                                      "ProgramFolder",
                                      "%1 no es una carpeta. Sopaly guarda ahora sus "
                                      "archivos en %2.")
                                : QCoreApplication::translate(
                                      "ProgramFolder",
                                      "La carpeta %1 ya no existe. Sopaly guarda "
                                      "ahora sus archivos en %2."))
                               .arg(native(*remembered), native(choice.folder));
    }
    choice.problems << others;
    if (!QDir().mkpath(choice.folder)) {
        choice.problems << QCoreApplication::translate("ProgramFolder",
                                                       "No se pudo crear la carpeta %1.")
                               .arg(native(choice.folder));
        return choice;
    }
    if (const auto failure = settings.store(settingKey::kProgramFolder, choice.folder)) {
        choice.problems << *failure;
    }
    return choice;
}

ProgramFolderChoice programFolderChoice(Settings& settings) {
    return chooseProgramFolder(
        {QCoreApplication::applicationDirPath(),
         QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath()},
        settings);
}

}  // namespace sopaly
