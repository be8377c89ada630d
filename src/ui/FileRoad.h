#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <utility>

#include "Prompts.h"
#include "Settings.h"

namespace sopaly {

class Program;

// The main window's road to the files the user chooses: each file dialog
// in its remembered folder, the worksheet's name prompt, and the checked
// write whose failure reaches the user once, naming the file.
class FileRoad {
  public:
    FileRoad(Program& program, const Prompts& prompts,
             std::function<void(const std::optional<QString>&)> settingsStored);

    // The chosen path, or an empty text when the user cancels; the folder
    // of the file chosen is remembered for next time.
    QString choose(bool save, FileDialog dialog, const QString& caption,
                   const QString& fileName = QString()) const;
    // Writes what the user cannot make again; on failure tells which and why.
    bool write(const QString& path, const QByteArray& bytes) const;
    // The same for a PDF made in memory, whose empty bytes say it could not
    // be made.
    bool writePdf(const QString& path, const QByteArray& pdf) const;
    // The name, remembered as the puzzle's name, and then the PDF file for
    // the worksheet features; nothing when the user cancels either.
    std::optional<std::pair<QString, QString>> askNameAndPdfPath(FileDialog dialog,
                                                                 const QString& caption) const;
    // The same for a file that ends in `suffix` (".html"), added when the
    // name chosen has none.
    std::optional<std::pair<QString, QString>> askNameAndPath(FileDialog dialog,
                                                              const QString& caption,
                                                              const QString& suffix) const;

  private:
    Program& program_;
    const Prompts& prompts_;
    std::function<void(const std::optional<QString>&)> settingsStored_;
};

}  // namespace sopaly
