#include "Startup.h"

#include <QApplication>
#include <QByteArray>
#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace sopaly {

namespace {

void substituteDesignFonts() {
    // Liberation Mono has the advances of Courier New, Liberation Sans those
    // of Arial; left alone, the font system picks a wider sans or DejaVu Sans
    // Mono, and the design's texts run out of their boxes.
    const QString mono = QStringLiteral("Liberation Mono");
    const QString sans = QStringLiteral("Liberation Sans");
    QFont::insertSubstitution(QStringLiteral("Courier New"), mono);
    QFont::insertSubstitution(QStringLiteral("Courier"), mono);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitution(QStringLiteral("Arial"), sans);
}

void useOneSansForUndesignedTexts(QCoreApplication& app) {
    if (!qobject_cast<QApplication*>(&app)) return;
    // The size stays the desktop's; only the face is ours. Set without a
    // class name, it also replaces the desktop's own menu and dialog fonts.
    QFont font = QApplication::font();
    font.setFamily(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);
}

bool installQtTranslations(QCoreApplication& app) {
    // Once per application, however often it is asked for.
    if (app.findChild<QTranslator*>(QStringLiteral("qtbase_es"))) return true;
    auto* translator = new QTranslator(&app);
    translator->setObjectName(QStringLiteral("qtbase_es"));
    if (!translator->load(QStringLiteral("qtbase_es"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

std::unique_ptr<QTranslator> loadProgramTranslation(const QLocale& locale,
                                                    const QStringList& folders) {
    auto translator = std::make_unique<QTranslator>();
    for (const QString& folder : folders) {
        if (translator->load(locale, QStringLiteral("sopaly"), QStringLiteral("_"), folder)) {
            return translator;
        }
    }
    return nullptr;
}

// --- Starting without a window system -------------------------------------

struct HeldMessage {
    QtMsgType type;
    QByteArray file;
    int line;
    QByteArray function;
    QByteArray category;
    QString text;
};

QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> heldMessages;

bool heldMessageSays(const char* words) {
    for (const HeldMessage& held : heldMessages) {
        if (held.text.contains(QLatin1String(words))) return true;
    }
    return false;
}

// Qt's own words, as it would have printed them, for whoever has to find out
// why the window did not open.
QByteArray heldMessagesText() {
    QByteArray text;
    for (const HeldMessage& held : heldMessages) {
        if (!held.category.isEmpty() && held.category != "default") text += held.category + ": ";
        text += held.text.toLocal8Bit() + '\n';
    }
    return text;
}

// No application stands yet to install the translation in: the sentences
// ask the user's translation themselves.
QString startupText(const char* source) {
    static const std::unique_ptr<QTranslator> translator =
        loadProgramTranslation(QLocale(), translationFolders());
    const QString translated = translator ? translator->translate("Startup", source) : QString();
    return translated.isEmpty() ? QString::fromUtf8(source) : translated;
}

QByteArray noDisplaySentence() {
    const QByteArray display = qgetenv("DISPLAY");
    const QString named =
        QString::fromLocal8Bit(display.isEmpty() ? qgetenv("WAYLAND_DISPLAY") : display);
    if (named.isEmpty()) {
        return startupText(QT_TRANSLATE_NOOP(
                               "Startup",
                               "Sopaly necesita una sesión gráfica (X11 o Wayland); no se indicó "
                               "ninguna (DISPLAY y WAYLAND_DISPLAY están vacías): ábralo desde el "
                               "escritorio, por «ssh -X» o bajo «xvfb-run»."))
                   .toLocal8Bit() +
               '\n';
    }
    // Only a refused connection is worth a guess at its cause; anything else
    // (a library the window system needs, a broken plugin) is Qt's to tell.
    const bool refused = heldMessageSays("could not connect to display") ||
                         heldMessageSays("Failed to create wl_display");
    if (!refused) {
        return startupText(
                   QT_TRANSLATE_NOOP(
                       "Startup", "Sopaly no pudo abrir su ventana en la pantalla «%1»; Qt dice:"))
                   .arg(named)
                   .toLocal8Bit() +
               '\n' + heldMessagesText();
    }
    QByteArray sentence =
        startupText(QT_TRANSLATE_NOOP("Startup",
                                      "Sopaly necesita una sesión gráfica (X11 o Wayland); la "
                                      "pantalla «%1» no acepta la conexión (¿una sesión «ssh -X» "
                                      "ya cerrada?): ábralo desde el escritorio, por una nueva "
                                      "«ssh -X» o bajo «xvfb-run»."))
            .arg(named)
            .toLocal8Bit() +
        '\n';
    // Asked for Qt's reasons (QT_DEBUG_PLUGINS, QT_LOGGING_RULES): give them.
    if (!qEnvironmentVariableIsEmpty("QT_DEBUG_PLUGINS") ||
        !qEnvironmentVariableIsEmpty("QT_LOGGING_RULES")) {
        sentence += heldMessagesText();
    }
    return sentence;
}

// Only the window systems a desktop runs on; a platform asked for by name
// (offscreen, a misspelt one) keeps Qt's own words.
bool platformIsTheDesktops() {
    const QByteArray asked = qgetenv("QT_QPA_PLATFORM");
    return asked.isEmpty() || asked.startsWith("xcb") || asked.startsWith("wayland");
}

void guardPlatformStart(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg && platformIsTheDesktops() &&
        text.contains(QLatin1String("no Qt platform plugin could be initialized"))) {
        std::fprintf(stderr, "%s", noDisplaySentence().constData());
        std::fflush(stderr);
        // Nothing worth tidying exists yet, and Qt is half started.
        std::_Exit(PlatformStartGuard::kExitStatus);
    }
    if (type == QtFatalMsg) {
        // Some other end: Qt's own handler tells it, and aborts.
        qInstallMessageHandler(previousHandler);
        qt_message_output(type, context, text);
        return;
    }
    heldMessages.push_back(
        {type, context.file, context.line, context.function, context.category, text});
}

}  // namespace

bool prepareApplication(QCoreApplication& app) {
    substituteDesignFonts();
    useOneSansForUndesignedTexts(app);
    installProgramTranslation(app, QLocale(), translationFolders());
    return installQtTranslations(app);
}

QStringList translationFolders() {
    return {QCoreApplication::applicationDirPath(),
            QStringLiteral("/usr/share/sopaly/translations")};
}

bool installProgramTranslation(QCoreApplication& app, const QLocale& locale,
                               const QStringList& folders) {
    const QString name = QStringLiteral("sopaly_translation");
    delete app.findChild<QTranslator*>(name);  // leaves the application's list too
    std::unique_ptr<QTranslator> translator = loadProgramTranslation(locale, folders);
    if (!translator) return false;
    translator->setObjectName(name);
    translator->setParent(&app);
    return QCoreApplication::installTranslator(translator.release());
}

PlatformStartGuard::PlatformStartGuard() {
    heldMessages.clear();
    previousHandler = qInstallMessageHandler(guardPlatformStart);
}

PlatformStartGuard::~PlatformStartGuard() {
    release();
}

void PlatformStartGuard::release() {
    if (!active_) return;
    active_ = false;
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& held : heldMessages) {
        const QMessageLogContext context(held.file.constData(), held.line,
                                         held.function.constData(), held.category.constData());
        qt_message_output(held.type, context, held.text);
    }
    heldMessages.clear();
}

}  // namespace sopaly
