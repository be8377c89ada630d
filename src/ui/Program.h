#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "ProgramFolder.h"
#include "Random.h"
#include "Settings.h"

namespace sopaly {

class Form1;
class Form3;
class frmMain;

// What outlives a main window: the one random generator, the puzzle name
// typed at the print button, and the main window itself, which can be closed
// while another window of the program stays open and be loaded afresh later.
class Program {
  public:
    explicit Program(Random::Clock clock = Random::systemClock());
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Random& random() { return random_; }

    // The name typed at the print button; empty until the first prompt.
    QString PuzzleName;

    // The folder that holds every file the program writes, decided once at
    // start (ProgramFolder.h), and where each file it reads is found.
    QString programFolder() const { return folderChoice_.folder; }
    const ProgramFolderChoice& folderChoice() const { return folderChoice_; }
    // Reads and writes everything in `folder`, as a build tree does.
    void setProgramFolder(const QString& folder) {
        folderChoice_ = ProgramFolderChoice::inFolder(folder);
    }

    // What the program keeps between runs, read at start (Settings.h).
    Settings& settings() { return *settings_; }

    // The rude words: the built-in list as the administrator's and the
    // teacher's files change it, read again whenever one of them changed.
    QStringList rudeWords() const;
    // The list's message for each rude-word file that is there but is no
    // regular file within 1 MiB (a FIFO, a folder): it adds no words.
    QStringList rudeWordFileProblems() const;

    // The main window while it is loaded, null once it has been closed.
    frmMain* mainWindow() const;

    // Brings the loaded main window to the front and activates it, or loads a
    // fresh one with the design values and shows it.
    frmMain* showMainWindow();

    // Ends the program at once: every window is hidden without a close
    // handler running, and every event loop is told to return `returnCode`.
    // Loops that yield to the event loop check exiting() and stop.
    void exit(int returnCode = 0);

    // Shows the about window, or brings the open one to the front without
    // starting its movie again. Its continue action shows the main window.
    Form3* showAbout();
    Form3* aboutWindow() const;

    // The print preview while it is open; it outlives the main window that
    // opened it, so a fresh main window finds it here.
    Form1* preview() const;
    void adoptPreview(Form1* preview);
    bool exiting() const { return exiting_; }

  private:
    // The program ends when its last window is gone: the main window, the
    // about window or the print preview, whichever closes last. Qt's own
    // rule would not count the preview, a tool window.
    void endWhenLastWindowGoes(QObject* window);
    void endIfNoWindowLeft();

    Random random_;
    QObject lifeline_;  // cancels the queued checks when the program goes
    QPointer<Form1> preview_;
    QPointer<frmMain> mainWindow_;
    QPointer<Form3> about_;
    bool exiting_ = false;
    std::unique_ptr<Settings> settings_;
    ProgramFolderChoice folderChoice_;
    QStringList folderProblems_;
    // The last reading of the rude words, and the files' names, sizes and
    // times it was read from.
    mutable QStringList rudeWords_;
    mutable std::optional<QStringList> rudeWordsStamp_;
};

}  // namespace sopaly
