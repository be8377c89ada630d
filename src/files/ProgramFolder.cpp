#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "SafeWrite.h"

namespace sopaly {

namespace {

const QString kUserFolderName = QStringLiteral("Sopaly");

// Copies a shipped file into the per-user folder unless something of that
// name is already there: the copy there may be the user's own edit.
void seedFile(const QString& from, const QString& to, QStringList& problems) {
    const QFileInfo target(to);
    if (target.exists() || target.isSymLink()) return;
    QFile source(from);
    // A program folder without one of its files runs without it, as the
    // executable's own folder would.
    if (!source.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = source.readAll();
    QString reason;
    if (!writeFileAtomically(to, bytes, &reason)) {
        problems.append(writeFailureMessage(to, reason));
    }
}

}  // namespace

QStringList shippedProgramFiles() {
    return {QStringLiteral("S.g"), QStringLiteral("bovedal.swf"), QStringLiteral("u.t"),
            QStringLiteral("p.t"), QStringLiteral("palabrotas.txt")};
}

bool folderIsWritable(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

ProgramFolderChoice chooseProgramFolder(const QString& executableFolder,
                                        const QString& documentsFolder,
                                        const std::function<bool(const QString&)>& isWritable) {
    if (isWritable(executableFolder)) return {executableFolder, {}};

    const QString base = documentsFolder.isEmpty() ? QDir::homePath() : documentsFolder;
    const QString folder = QDir::cleanPath(QDir(base).filePath(kUserFolderName));
    ProgramFolderChoice choice{folder, {}};
    if (!QDir().mkpath(folder)) {
        choice.problems.append(QStringLiteral("No se pudo crear la carpeta %1.")
                                   .arg(QDir::toNativeSeparators(folder)));
        return choice;
    }
    const QDir from(executableFolder);
    const QDir to(folder);
    for (const QString& name : shippedProgramFiles()) {
        seedFile(from.filePath(name), to.filePath(name), choice.problems);
    }
    return choice;
}

ProgramFolderChoice programFolderChoice() {
    return chooseProgramFolder(QCoreApplication::applicationDirPath(),
                               QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QString programFolder() {
    return programFolderChoice().folder;
}

}  // namespace sopaly
