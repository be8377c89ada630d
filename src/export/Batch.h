#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

namespace sopaly {

// The file name of puzzle `n` of a batch run: Tabloza1.txt, Tabloza2.txt...
QString batchFileName(qint64 n);
// The path of puzzle `n` in `folder` (the program folder).
QString batchFilePath(const QString& folder, qint64 n);

// The status line while puzzle file `path` is being made.
QString batchStatusText(const QString& path);

// Tells, as a word enters the list, which of `words` a puzzle file cannot
// hold and why: "«Generar y Guardar» no puede guardar estas letras en sus
// archivos: ŁÓDŹ: Ł, Ź." Empty when it can hold them all.
QString unencodableStatus(const QStringList& words);

// Why a batch run does not start when a word of the list cannot be written
// to a puzzle file: every such word, named with those characters.
QString unencodableWordsMessage(const QStringList& words);

// Why a batch run cannot write its puzzle files: a word of the list, or a
// letter of the secret message, that a file cannot hold, named with those
// characters. Nothing when the files hold them all.
std::optional<QString> batchRefusal(const QStringList& words, const QString& message);

// What a press of the batch button is to do with the count the user typed.
struct BatchPlan {
    enum Outcome {
        Nothing,  // the text is no number: the press does nothing at all
        Refused,  // a number, but no usable count: tell the user, change nothing
        Run,      // make `count` puzzles, advancing the bar by `step` each
    };
    Outcome outcome = Nothing;
    int count = 0;
    int step = 0;
    QString message;  // why the count was refused
};

// Why a count is no count of puzzles.
QString batchCountRefusal();

// `barLength` is the progress bar's length, from its start to its end.
BatchPlan planBatch(const QString& countText, int barLength);

// The batch panel's widths. The run's loops and the timer's tick stop at
// different thresholds on purpose: each loop ends at the first width that
// passes its own.
inline constexpr int kPanelDesignWidth = 1815;  // narrow, at rest
inline constexpr int kPanelTickStep = 200;
inline constexpr int kPanelTickWideLimit = 6855;  // the tick widens below this
inline constexpr int kPanelWidenWhileAtMost = 6850;
inline constexpr int kPanelNarrowWhileAtLeast = 1830;

// Whether the run's widening (or narrowing) loop has to go on at `width`.
constexpr bool panelStillWidening(int width) {
    return width <= kPanelWidenWhileAtMost;
}
constexpr bool panelStillNarrowing(int width) {
    return width >= kPanelNarrowWhileAtLeast;
}

// The panel's width after one tick of tmrAuto.
int tmrAutoStep(int width, bool closing);

}  // namespace sopaly
