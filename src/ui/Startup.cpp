#include "Startup.h"

#include <QCoreApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

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

}  // namespace

bool prepareApplication(QCoreApplication& app) {
    substituteDesignFonts();
    return installQtTranslations(app);
}

}  // namespace sopaly
