#pragma once

// Small tools the window tests share.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <thread>
#include <utility>

#include "Program.h"
#include "Random.h"
#include "TestEnvironment.h"
#include "frmMain.h"

// A clock that moves on by a prime at every reading, so that each reseed of
// a seeded run draws differently and every run draws the same.
inline sopaly::Random::Clock steppingClock() {
    return [now = std::uint64_t{1}]() mutable { return now += 104729; };
}

// Writes a small real file, its folder made when missing.
inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Waits for a batch run started from `window` to end, panel and message
// included; false when it did not within a minute.
// A window closed during the run is gone, and its run with it.
inline bool waitForBatchEnd(sopaly::frmMain* window) {
    const QPointer<sopaly::frmMain> alive(window);
    return QTest::qWaitFor([&alive] { return alive.isNull() || !alive->batchRunning(); }, 60000);
}
// Opens "&Opciones" of `window` with Alt+O and clicks `item`, in "&Forma"
// or "&Tamaño de letra" when it is one of theirs, as a user does.
inline void chooseOption(sopaly::frmMain* window, QAction* item) {
    QTest::keyClick(window, Qt::Key_O, Qt::AltModifier);
    QTRY_VERIFY(window->mnuOptions->isVisible());
    QMenu* menu = window->mnuOptions;
    for (const auto& [submenu, key] :
         {std::pair{window->mnuShape, Qt::Key_F}, std::pair{window->mnuLetterSize, Qt::Key_T}}) {
        if (!submenu->actions().contains(item)) continue;
        QTest::keyClick(menu, key);
        QTRY_VERIFY(submenu->isVisible());
        menu = submenu;
    }
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    QTRY_VERIFY(!window->mnuOptions->isVisible());
}

// A FIFO, as a shared folder may hold one under a file's name. From two
// seconds on, a writer comes to it again and again, so that a program that
// waits on it shows as one that took two seconds, not as a test that never ends.
class LateFifo {
  public:
    explicit LateFifo(const QString& path) : path_(QFile::encodeName(path)) {
        QDir().mkpath(QFileInfo(path).path());
        made = ::mkfifo(path_.constData(), 0644) == 0;
    }
    ~LateFifo() {
        stop_ = true;
        writer_.join();
    }
    bool made = false;

  private:
    QByteArray path_;
    std::atomic<bool> stop_{false};
    std::thread writer_{[this] {
        for (int i = 0; i < 500 && !stop_; ++i) {
            const int fd = i < 200 ? -1 : ::open(path_.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }};
};

// What the window tests that start one program each share: a main window of
// its own program in a fresh folder, from the design values, its messages
// collected instead of shown.
class WindowTest : public QObject {
  protected:
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<sopaly::Program> program;
    sopaly::frmMain* window = nullptr;
    QStringList messages;

    // False when the folder could not be made or the window never came up.
    bool openWindow() {
        sopaly::test::freshSettings();
        folder = std::make_unique<QTemporaryDir>();
        if (!folder->isValid()) return false;
        program = std::make_unique<sopaly::Program>(steppingClock());
        program->setProgramFolder(folder->path());
        window = program->showMainWindow();
        messages.clear();
        window->prompts.showMessage = [this](const QString& text) { messages << text; };
        return QTest::qWaitForWindowActive(window);
    }
    void closeWindow() {
        program.reset();
        window = nullptr;
        folder.reset();
    }
};
