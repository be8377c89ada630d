#include "Prompts.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "FileNames.h"
#include "SettingsTable.h"

namespace sopaly {

namespace {

// The print button's name prompt, `last` already typed in; nothing on Cancel.
std::optional<QString> askForName(QWidget* parent, const QString& last) {
    bool ok = false;
    const QString name = QInputDialog::getText(
        parent, QCoreApplication::translate("Prompts", "Listo."),
        QCoreApplication::translate("Prompts", "Por Favor Escriba el Nombre del Rompecabezas."),
        QLineEdit::Normal, last, &ok);
    return ok ? std::optional<QString>(name) : std::nullopt;
}

QString fileFilter(const QString& suggested) {
    if (suggested.endsWith(QStringLiteral(".html"), Qt::CaseInsensitive)) {
        return QCoreApplication::translate("Prompts",
                                           "Páginas web (*.html *.htm);;Todos los archivos (*)");
    }
    if (suggested.endsWith(QStringLiteral(".zip"), Qt::CaseInsensitive)) {
        return QCoreApplication::translate("Prompts",
                                           "Paquetes SCORM (*.zip);;Todos los archivos (*)");
    }
    return suggested.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)
               ? QCoreApplication::translate("Prompts",
                                             "Documentos PDF (*.pdf);;Todos los archivos (*)")
               : QCoreApplication::translate("Prompts",
                                             "Archivos de texto (*.txt);;Todos los archivos (*)");
}

}  // namespace

Prompts dialogPrompts(QWidget* parent, const QString& caption) {
    Prompts prompts;
    prompts.showMessage = [parent, caption](const QString& text) {
        QMessageBox::warning(parent, caption, text);
    };
    // Cancel leaves the text empty, which is what the preview then shows.
    prompts.askPuzzleName = [parent] { return askForName(parent, QString()).value_or(QString()); };
    prompts.askWorksheetName = [parent](const QString& last) { return askForName(parent, last); };
    prompts.askSecretMessage = [parent](const QString& current) -> std::optional<QString> {
        bool ok = false;
        const QString message = QInputDialog::getText(
            parent, QCoreApplication::translate("Prompts", "Mensaje secreto"),
            QCoreApplication::translate("Prompts",
                                        "Escribe un mensaje corto: sus letras ocupan las primeras\n"
                                        "casillas libres. Déjalo vacío para no poner ninguno."),
            QLineEdit::Normal, current, &ok);
        return ok ? std::optional<QString>(message) : std::nullopt;
    };
    prompts.askVersionCount = [parent](int last) -> std::optional<int> {
        constexpr NumberSetting versions = kClassroomVersionsSetting;
        bool ok = false;
        const int count = QInputDialog::getInt(
            parent, QCoreApplication::translate("Prompts", "Juego para la clase"),
            QCoreApplication::translate("Prompts", "¿Cuántas versiones? (de %1 a %2)")
                .arg(versions.lowest)
                .arg(versions.highest),
            last, versions.lowest, versions.highest, 1, &ok);
        return ok ? std::optional<int>(count) : std::nullopt;
    };
    prompts.confirmReset = [parent, caption] {
        return QMessageBox::question(
                   parent, caption,
                   QCoreApplication::translate(
                       "Prompts",
                       "¿Restablecer los valores iniciales?\n\nEl tamaño de la cuadrícula, el "
                       "máximo de palabras, la dificultad, el número de rompecabezas, las "
                       "versiones para la clase y las opciones vuelven a sus valores "
                       "iniciales. La lista de palabras, las carpetas y el mensaje secreto "
                       "no cambian."),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
    prompts.confirmReplaceList = [parent, caption](int count) {
        return QMessageBox::question(
                   parent, caption,
                   QCoreApplication::translate(
                       "Prompts", "¿Reemplazar las %n palabras de la lista?", nullptr, count),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
    prompts.chooseOpenFile = [parent](const QString& caption, const QString& suggested) {
        return QFileDialog::getOpenFileName(parent, caption, suggested, fileFilter(suggested));
    };
    prompts.chooseSaveFile = [parent](const QString& caption, const QString& suggested) {
        return QFileDialog::getSaveFileName(parent, caption, suggested, fileFilter(suggested));
    };
    return prompts;
}

QString suggestedFileName(const QString& title, const QString& fallback, const QString& suffix) {
    return (title.isEmpty() ? fallback : portableFileName(title)) + suffix;
}

}  // namespace sopaly
