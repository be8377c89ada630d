#include "FileRoad.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "Program.h"
#include "SafeWrite.h"
#include "Worksheet.h"

namespace sopaly {

FileRoad::FileRoad(Program& program, const Prompts& prompts,
                   std::function<void(const std::optional<QString>&)> settingsStored)
    : program_(program), prompts_(prompts), settingsStored_(std::move(settingsStored)) {}

QString FileRoad::choose(bool save, FileDialog dialog, const QString& caption,
                         const QString& fileName) const {
    QString folder = fileDialogFolder(program_.settings(), dialog);
    // "Generar y Guardar" writes its puzzles in the program folder: the
    // first look for one is there.
    if (dialog == FileDialog::OpenPuzzle && !program_.settings().folder(fileDialogKey(dialog))) {
        folder = program_.programFolder();
    }
    const QString suggested = fileName.isEmpty() ? folder : QDir(folder).filePath(fileName);
    const QString path = save ? prompts_.chooseSaveFile(caption, suggested)
                              : prompts_.chooseOpenFile(caption, suggested);
    if (!path.isEmpty()) {
        settingsStored_(rememberFileDialogChoice(program_.settings(), dialog, path));
    }
    return path;
}

bool FileRoad::write(const QString& path, const QByteArray& bytes) const {
    QString reason;
    if (writeFileAtomically(path, bytes, &reason, Durability::Durable)) return true;
    prompts_.showMessage(writeFailureMessage(path, reason));
    return false;
}

bool FileRoad::writePdf(const QString& path, const QByteArray& pdf) const {
    if (!pdf.isEmpty()) return write(path, pdf);
    prompts_.showMessage(pdfNotMadeMessage(path));
    return false;
}

std::optional<std::pair<QString, QString>> FileRoad::askNameAndPdfPath(
    FileDialog dialog, const QString& caption) const {
    return askNameAndPath(dialog, caption, QStringLiteral(".pdf"));
}

std::optional<std::pair<QString, QString>> FileRoad::askNameAndPath(FileDialog dialog,
                                                                    const QString& caption,
                                                                    const QString& suffix) const {
    const std::optional<QString> name = prompts_.askWorksheetName(program_.PuzzleName);
    if (!name) return std::nullopt;
    program_.PuzzleName = *name;
    QString path = choose(
        true, dialog, caption,
        suggestedFileName(*name, QCoreApplication::translate("FileRoad", "sopa"), suffix));
    if (path.isEmpty()) return std::nullopt;
    if (QFileInfo(path).suffix().isEmpty()) path += suffix;
    return std::pair{*name, path};
}

}  // namespace sopaly
