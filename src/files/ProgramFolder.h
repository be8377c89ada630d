#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace sopaly {

// The files the program ships beside its executable: the standby banner
// picture, the about window's movie, the two banner lists and the list of
// rude words.
QStringList shippedProgramFiles();

// Whether this process can create files in `folder`.
bool folderIsWritable(const QString& folder);

struct ProgramFolderChoice {
    // The folder that holds every file the program reads or writes.
    QString folder;
    // What went wrong while making the per-user folder ready, one sentence
    // each for the user; empty when nothing did.
    QStringList problems;
};

// Decides the program folder. A folder of the executable that the user can
// write to (the build tree, a portable copy, a prefix of the user's own) is
// the program folder as it is. An installed program cannot write beside
// itself, so its folder is then "Sopaly" in the user's documents folder,
// made on first use, where the shipped files are copied from the
// executable's folder unless a copy (perhaps one the user has edited) is
// already there.
ProgramFolderChoice chooseProgramFolder(
    const QString& executableFolder, const QString& documentsFolder,
    const std::function<bool(const QString&)>& isWritable = folderIsWritable);

// The decision for this process: the folder of its executable and the
// user's documents folder. Every reader and writer of the program's files
// asks this (or the program object that asked it at start).
ProgramFolderChoice programFolderChoice();
QString programFolder();

}  // namespace sopaly
