#include <QCoreApplication>
#include <QTranslator>

// Sopaly's texts are written in Spanish, and a Spanish count takes one of
// two forms ("1 palabra", "3 palabras"). The source texts hold the plural;
// this catalogue, compiled into every program of ours, holds both forms. It
// is installed as soon as an application object exists, before any other,
// so that a translation installed later (the user's language) is asked
// first and this one answers only what that one lacks.
namespace {

void installSpanishPlurals() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    translator->setObjectName(QStringLiteral("sopaly_es"));
    if (!translator->load(QStringLiteral(":/sopaly/translations/sopaly_es.qm"))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(installSpanishPlurals)
