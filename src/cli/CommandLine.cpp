#include "CommandLine.h"

#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "LetterSize.h"
#include "Shape.h"

namespace sopaly::cli {

namespace {

QString translated(const char* source) {
    return QCoreApplication::translate("CommandLine", source);
}

// Every option but the outputs, in the order the help text lists them.
struct OptionRow {
    const char* names;      // "lista", or "h,help"
    const char* valueName;  // null for a switch
    const char* help;
};

constexpr std::array kInputOptions{
    OptionRow{"lista", QT_TRANSLATE_NOOP("CommandLine", "FICHERO"),
              QT_TRANSLATE_NOOP("CommandLine",
                                "lista de palabras, una por línea (repetible);\n"
                                "- lee la entrada estándar")},
    OptionRow{"filas", "N",
              QT_TRANSLATE_NOOP("CommandLine", "filas de la cuadrícula, de 5 a 20 (20)")},
    OptionRow{"columnas", "N",
              QT_TRANSLATE_NOOP("CommandLine", "columnas de la cuadrícula, de 5 a 20 (20)")},
    OptionRow{"maximo", "N", QT_TRANSLATE_NOOP("CommandLine", "máximo de palabras (100)")},
    OptionRow{"dificultad", "facil|master",
              QT_TRANSLATE_NOOP("CommandLine",
                                "facil: solo filas y columnas;\nmaster: también "
                                "en diagonal (master)")},
    OptionRow{"forma", "cuadrada|circulo|corazon|estrella|rombo|arbol",
              QT_TRANSLATE_NOOP("CommandLine", "forma de la cuadrícula (cuadrada)")},
    OptionRow{"minusculas", nullptr, QT_TRANSLATE_NOOP("CommandLine", "letras en minúscula")},
    OptionRow{"mensaje", QT_TRANSLATE_NOOP("CommandLine", "TEXTO"),
              QT_TRANSLATE_NOOP("CommandLine", "mensaje secreto en las casillas libres")},
    OptionRow{"ocultar-lista", nullptr,
              QT_TRANSLATE_NOOP("CommandLine", "la hoja no muestra la lista de palabras")},
    OptionRow{"letra", "normal|grande|muy-grande",
              QT_TRANSLATE_NOOP("CommandLine", "tamaño de letra de la hoja (normal)")},
    OptionRow{"lectura-facil", nullptr,
              QT_TRANSLATE_NOOP("CommandLine", "la hoja en letra de lectura fácil (Andika)")},
    OptionRow{"titulo", QT_TRANSLATE_NOOP("CommandLine", "TEXTO"),
              QT_TRANSLATE_NOOP("CommandLine", "título de la hoja (nombre de la primera lista)")},
    OptionRow{"semilla", "N",
              QT_TRANSLATE_NOOP("CommandLine", "la misma semilla hace los mismos rompecabezas")},
};

constexpr std::array kRunOptions{
    OptionRow{"versiones", "N",
              QT_TRANSLATE_NOOP("CommandLine", "versiones de --juego, de 1 a 200 (30)")},
    OptionRow{"numero", "N",
              QT_TRANSLATE_NOOP("CommandLine", "cuántos archivos escribe --texto (1)")},
    OptionRow{"h,help", nullptr, QT_TRANSLATE_NOOP("CommandLine", "muestra esta ayuda")},
    OptionRow{"v,version", nullptr, QT_TRANSLATE_NOOP("CommandLine", "muestra la versión")},
};

QCommandLineOption parserOption(const OptionRow& row) {
    const QStringList names = QString::fromLatin1(row.names).split(u',');
    if (!row.valueName) return QCommandLineOption(names);
    return QCommandLineOption(names, QString(), QString::fromUtf8(row.valueName));
}

QString helpLine(const QString& names, const char* valueName, const char* help) {
    QString left = QStringLiteral("  ") + names;
    if (valueName) left += u' ' + translated(valueName);
    // A description's own line breaks keep to its column.
    const QString indent(28, u' ');
    const QString text = translated(help).replace(u'\n', u'\n' + indent);
    if (left.size() > 26) return left + u'\n' + indent + text;
    return left.leftJustified(28) + text;
}

QString optionNames(const OptionRow& row) {
    QStringList names;
    for (const QString& name : QString::fromLatin1(row.names).split(u',')) {
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    }
    return names.join(QStringLiteral(", "));
}

// Accents and case do not matter: "Círculo" is "circulo".
QString folded(const QString& text) {
    QString plain;
    for (const QChar c : text.trimmed().normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing) plain += c.toLower();
    }
    return plain;
}

QString badValue(const QString& option, const QString& value, const QString& choices) {
    return QCoreApplication::translate("CommandLine", "Valor no válido para --%1: «%2» (%3).")
        .arg(option, value, choices);
}

// The choices of the options menu and of the difficulty; false after
// saying which value is wrong.
bool readChoices(const QCommandLineParser& parser, CommandOptions& options, QString& error) {
    if (parser.isSet(QStringLiteral("dificultad"))) {
        const QString value = parser.value(QStringLiteral("dificultad"));
        const QString word = folded(value);
        if (word != QLatin1String("facil") && word != QLatin1String("master")) {
            error = badValue(QStringLiteral("dificultad"), value, QStringLiteral("facil, master"));
            return false;
        }
        options.settings.easy = word == QLatin1String("facil");
    }
    if (parser.isSet(QStringLiteral("forma"))) {
        const QString value = parser.value(QStringLiteral("forma"));
        const std::optional<Shape> shape = shapeFromKey(folded(value));
        if (!shape) {
            QStringList keys;
            for (const Shape each : kShapes) keys << shapeKey(each);
            error = badValue(QStringLiteral("forma"), value, keys.join(QStringLiteral(", ")));
            return false;
        }
        options.settings.shape = *shape;
    }
    if (parser.isSet(QStringLiteral("letra"))) {
        const QString value = parser.value(QStringLiteral("letra"));
        const std::optional<LetterSize> size = letterSizeFromKey(folded(value).replace(u' ', u'-'));
        if (!size) {
            error = badValue(QStringLiteral("letra"), value,
                             QStringLiteral("normal, grande, muy-grande"));
            return false;
        }
        options.settings.letterSize = *size;
    }
    options.settings.easyReading = parser.isSet(QStringLiteral("lectura-facil"));
    options.settings.lowerCase = parser.isSet(QStringLiteral("minusculas"));
    options.settings.hideList = parser.isSet(QStringLiteral("ocultar-lista"));
    return true;
}

bool readSeed(const QCommandLineParser& parser, CommandOptions& options, QString& error) {
    if (!parser.isSet(QStringLiteral("semilla"))) return true;
    const QString text = parser.value(QStringLiteral("semilla"));
    const bool digits = !text.isEmpty() && text.front().isDigit();
    bool ok = false;
    const std::uint64_t seed = text.toULongLong(&ok, 10);
    if (!digits || !ok) {
        error = badValue(QStringLiteral("semilla"), text,
                         QCoreApplication::translate("CommandLine", "un número entero de 0 a %1")
                             .arg(UINT64_MAX));
        return false;
    }
    options.seed = seed;
    return true;
}

void readValues(const QCommandLineParser& parser, CommandOptions& options) {
    options.lists = parser.values(QStringLiteral("lista"));
    const auto text = [&parser](const char* name, QString& into) {
        if (parser.isSet(QLatin1String(name))) into = parser.value(QLatin1String(name));
    };
    text("filas", options.settings.rowsText);
    text("columnas", options.settings.colsText);
    text("maximo", options.settings.wordLimitText);
    text("mensaje", options.message);
    text("versiones", options.versionsText);
    text("numero", options.countText);
    if (parser.isSet(QStringLiteral("titulo")))
        options.title = parser.value(QStringLiteral("titulo"));
    for (const OutputOption& output : kOutputs) {
        for (const QString& target : parser.values(output.name)) {
            options.outputs.push_back({output.kind, target});
        }
    }
}

// What a command that runs still needs: a list and something to make.
QString missingPart(const CommandOptions& options) {
    if (options.outputs.empty()) {
        QStringList names;
        for (const OutputOption& output : kOutputs) names << QStringLiteral("--") + output.name;
        return QCoreApplication::translate("CommandLine", "No se pidió ningún archivo: indique %1.")
            .arg(names.join(QStringLiteral(", ")));
    }
    if (options.lists.isEmpty()) {
        return QCoreApplication::translate("CommandLine",
                                           "Falta la lista de palabras: indique --lista FICHERO.");
    }
    return {};
}

QtMessageHandler previousHandler = nullptr;

void passOnAllButRuntimeFolder(QtMsgType type, const QMessageLogContext& context,
                               const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR"))) {
        return;
    }
    if (previousHandler) {
        previousHandler(type, context, text);
    } else {
        qt_message_output(type, context, text);
    }
}

}  // namespace

const std::array<OutputOption, 5> kOutputs{{
    {OutputKind::Worksheet, QLatin1String("hoja"), QT_TRANSLATE_NOOP("CommandLine", "FICHERO.pdf"),
     QT_TRANSLATE_NOOP("CommandLine", "hoja de trabajo en PDF, con su solución")},
    {OutputKind::ClassroomSet, QLatin1String("juego"),
     QT_TRANSLATE_NOOP("CommandLine", "FICHERO.pdf"),
     QT_TRANSLATE_NOOP("CommandLine",
                       "juego para la clase en PDF, una versión por\n"
                       "alumno, con sus soluciones")},
    {OutputKind::PuzzleFiles, QLatin1String("texto"), QT_TRANSLATE_NOOP("CommandLine", "CARPETA"),
     QT_TRANSLATE_NOOP("CommandLine",
                       "archivos de texto Tabloza1.txt... en CARPETA,\n"
                       "como «Generar y Guardar»")},
    {OutputKind::WebPage, QLatin1String("html"), QT_TRANSLATE_NOOP("CommandLine", "FICHERO.html"),
     QT_TRANSLATE_NOOP("CommandLine", "página web que se juega sola, sin conexión")},
    {OutputKind::ScormPackage, QLatin1String("scorm"),
     QT_TRANSLATE_NOOP("CommandLine", "FICHERO.zip"),
     QT_TRANSLATE_NOOP("CommandLine", "paquete SCORM 1.2 de la página, para Moodle")},
}};

ParsedCommand parseCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    for (const OptionRow& row : kInputOptions) parser.addOption(parserOption(row));
    for (const OptionRow& row : kRunOptions) parser.addOption(parserOption(row));
    for (const OutputOption& output : kOutputs) {
        parser.addOption(
            QCommandLineOption(output.name, QString(), QString::fromUtf8(output.valueName)));
    }
    ParsedCommand parsed;
    if (!parser.parse(arguments)) {
        parsed.error = parser.errorText();
        return parsed;
    }
    CommandOptions options;
    if (parser.isSet(QStringLiteral("help"))) {
        options.ask = CommandOptions::Ask::Help;
    } else if (parser.isSet(QStringLiteral("version"))) {
        options.ask = CommandOptions::Ask::Version;
    } else if (!parser.positionalArguments().isEmpty()) {
        parsed.error = QCoreApplication::translate("CommandLine", "Argumento de más: «%1».")
                           .arg(parser.positionalArguments().first());
        return parsed;
    } else {
        readValues(parser, options);
        if (!readChoices(parser, options, parsed.error) ||
            !readSeed(parser, options, parsed.error)) {
            return parsed;
        }
        parsed.error = missingPart(options);
        if (!parsed.error.isEmpty()) return parsed;
    }
    parsed.options = std::move(options);
    return parsed;
}

QString helpText() {
    QStringList lines{
        QCoreApplication::translate("CommandLine",
                                    "Uso: sopaly [OPCIÓN]... --lista FICHERO --hoja FICHERO.pdf"),
        QCoreApplication::translate(
            "CommandLine",
            "Hace sopas de letras sin abrir la ventana; sin opciones abre la ventana."),
        QString(), QCoreApplication::translate("CommandLine", "Palabras y rompecabezas:")};
    for (const OptionRow& row : kInputOptions)
        lines << helpLine(optionNames(row), row.valueName, row.help);
    lines << QString()
          << QCoreApplication::translate("CommandLine", "Archivos que se escriben (uno o más):");
    for (const OutputOption& output : kOutputs) {
        lines << helpLine(QStringLiteral("--") + output.name, output.valueName, output.help);
    }
    lines << QString() << QCoreApplication::translate("CommandLine", "Otras opciones:");
    for (const OptionRow& row : kRunOptions)
        lines << helpLine(optionNames(row), row.valueName, row.help);
    lines << QString() << QCoreApplication::translate("CommandLine", "Estado de salida:")
          << QCoreApplication::translate("CommandLine", "  0  se escribieron todos los archivos")
          << QCoreApplication::translate(
                 "CommandLine",
                 "  1  uso incorrecto (opción desconocida, falta un valor o la lista)")
          << translated(
                 "  2  la entrada no sirve (no es texto, no tiene palabras, o un\n"
                 "     tamaño fuera de rango)")
          << QCoreApplication::translate("CommandLine", "  3  no se pudo escribir un archivo")
          << QString()
          << QCoreApplication::translate(
                 "CommandLine",
                 "Ejemplo: sopaly --lista animales.txt --semilla 7 --hoja animales.pdf")
          << QCoreApplication::translate("CommandLine", "Más información: man sopaly");
    return lines.join(u'\n') + u'\n';
}

QString versionText() {
    return QStringLiteral("sopaly %1\n").arg(QStringLiteral(SOPALY_VERSION));
}

bool commandLineAsked(int argc, const char* const* argv) {
    // Qt's options for any window, and those of them that take a value.
    static const QStringList qtOptions{
        QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
        QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
        QStringLiteral("qwindowgeometry"), QStringLiteral("qwindowicon"),
        QStringLiteral("qwindowtitle"),    QStringLiteral("session"),
        QStringLiteral("display"),         QStringLiteral("geometry"),
        QStringLiteral("style"),           QStringLiteral("stylesheet")};
    static const QStringList qtSwitches{QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                        QStringLiteral("nograb"), QStringLiteral("dograb"),
                                        QStringLiteral("sync")};
    for (int i = 1; i < argc; ++i) {
        QString name = QString::fromLocal8Bit(argv[i]);
        if (!name.startsWith(u'-') || name == QLatin1String("-")) return true;
        name.remove(0, name.startsWith(QLatin1String("--")) ? 2 : 1);
        const bool valueAttached = name.contains(u'=');
        name = name.section(u'=', 0, 0);
        if (qtOptions.contains(name)) {
            if (!valueAttached) ++i;
        } else if (!qtSwitches.contains(name)) {
            return true;
        }
    }
    return false;
}

void quietenRuntimeFolderWarning() {
    previousHandler = qInstallMessageHandler(passOnAllButRuntimeFolder);
}

Console processConsole() {
    Console console;
    console.out = [](const QString& text) {
        std::fputs(text.toLocal8Bit().constData(), stdout);
        std::fflush(stdout);
    };
    console.err = [](const QString& text) {
        std::fputs(text.toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
    };
    console.readInput = [](qint64 limit) {
        QFile input;
        if (!input.open(stdin, QIODevice::ReadOnly)) return QByteArray();
        QByteArray bytes;
        while (bytes.size() < limit) {
            const QByteArray chunk = input.read(limit - bytes.size());
            if (chunk.isEmpty()) break;
            bytes += chunk;
        }
        return bytes;
    };
    console.errIsTerminal = isatty(STDERR_FILENO) == 1;
    return console;
}

int commandLineMain(const QStringList& arguments, const Console& console) {
    const ParsedCommand parsed = parseCommand(arguments);
    if (!parsed.options) {
        console.err(QStringLiteral("sopaly: %1\n").arg(parsed.error) +
                    QCoreApplication::translate("CommandLine",
                                                "Pruebe «sopaly --help» para más información.") +
                    u'\n');
        return kExitUsage;
    }
    switch (parsed.options->ask) {
        case CommandOptions::Ask::Help:
            console.out(helpText());
            return kExitWritten;
        case CommandOptions::Ask::Version:
            console.out(versionText());
            return kExitWritten;
        case CommandOptions::Ask::Run:
            break;
    }
    return runCommand(*parsed.options, console);
}

}  // namespace sopaly::cli
