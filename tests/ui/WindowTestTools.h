#pragma once

// Small tools the window tests share.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <cstdint>
#include <memory>

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
inline bool waitForBatchEnd(sopaly::frmMain* window) {
    return QTest::qWaitFor([window] { return !window->batchRunning(); }, 60000);
}

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
