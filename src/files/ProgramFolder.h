#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace sopaly {

class Settings;

// The files the program ships beside its executable: the standby banner
// picture, the about window's movie, the two banner lists and the list of
// rude words.
QStringList shippedProgramFiles();

// The lists a user may override with a copy of their own in the user's
// folder; installed, they are read from the system folder otherwise.
QStringList overridableProgramFiles();

// The lists a user's own copy adds to: the rude words.
QStringList additiveProgramFiles();

// The file that only the Debian package puts beside the executable: its
// presence tells an installed program from a build tree or a portable copy,
// wherever the package was unpacked.
inline const QString kInstalledMarker = QStringLiteral("installed");

// Where an installed program reads the administrator's banner lists:
// /etc/sopaly, or the folder SOPALY_ETC_DIR names.
QString systemProgramFolder();

// Whether this process can create files in `folder`.
bool folderIsWritable(const QString& folder);

struct ProgramFolderChoice {
    // The folder that holds every file the program writes, and the user's
    // own copies of the lists.
    QString folder;
    // Where the shipped files are read: the executable's folder.
    QString shippedFolder;
    // Where an installed program reads the lists the user has no copy of;
    // empty for a build tree or a portable copy.
    QString systemFolder;
    // What the user is to be told once: a folder that could not be made, a
    // remembered folder that is gone, a second Sopaly folder left aside.
    QStringList problems;

    // The file to read for `name`: the user's own copy of a list when there
    // is one, else the administrator's, else the shipped one.
    QString fileToRead(const QString& name) const;
    // Every file to read for `name`: for a list the user's copy adds to, the
    // administrator's (or the shipped one) and then the user's own, if any.
    QStringList filesToRead(const QString& name) const;
    // A choice that reads and writes everything in one folder.
    static ProgramFolderChoice inFolder(const QString& folder);
};

struct ProgramFolderPlace {
    QString executableFolder;
    // The user's documents folder as the desktop names it now, and the home.
    QString documentsFolder;
    QString homeFolder;
};

// Decides the program folder. The executable's own folder is the program
// folder for a build tree or a portable copy the user can write to. An
// installed program (or one that cannot write beside itself) uses the
// user's "Sopaly" folder, whoever runs it, root included: the one remembered
// in the settings; else one that already exists in ~/Documentos or
// ~/Documents (or the documents folder), the one holding puzzles when there
// are two; else a new one in the documents folder. The folder chosen is
// remembered, so a documents folder renamed or localised later does not
// start a second one.
ProgramFolderChoice chooseProgramFolder(
    const ProgramFolderPlace& place, Settings& settings,
    const std::function<bool(const QString&)>& isWritable = folderIsWritable);

// The decision for this process. Every reader and writer of the program's
// files asks this (or the program object that asked it at start).
ProgramFolderChoice programFolderChoice(Settings& settings);

}  // namespace sopaly
