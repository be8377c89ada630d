#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

#include "Grid.h"
#include "Puzzle.h"
#include "PuzzleWords.h"

class QPagedPaintDevice;
class QPainter;
class QPaintDevice;
class QPrinter;

namespace sopaly {

// Everything a printed page of one finished puzzle shows.
struct WorksheetPuzzle {
    QString title;     // the name, or the name and the version of a classroom set
    Grid grid;         // the finished puzzle, rows 1..rows() and columns 1..cols()
    QStringList pool;  // the word pool it was built from
    std::vector<Placement> placements;
    PuzzleWords words;       // which words it holds, and which not
    bool lowerCase = false;  // the letters and the words in lower case
    bool hideList = false;   // the worksheet names no word; the key does
    QString message;         // the secret message as typed; empty when the grid holds none
    int messageLetters = 0;  // how many of the letters left over spell it
    LetterSize letterSize = LetterSize::Normal;
    bool easyReading = false;  // set in worksheetFontFamily(true)
};

// Takes a finished puzzle as a build and the finishing step left it, with
// the options it was built with.
WorksheetPuzzle worksheetPuzzle(const QString& title, const Puzzle& puzzle,
                                const std::vector<Placement>& placements,
                                const PuzzleSettings& builtWith);

enum class PageKind { Worksheet, AnswerKey };

// Draws one page within `page` (in the painter's coordinates): the title,
// the grid in equal square cells as wide as the page allows but no wider
// than 12 mm a cell (a shaped grid outlined along its shape, its other
// cells left blank), and below it the words to find (worksheet) or, on the
// answer key, each placed word outlined and the words the grid does not hold.
// A hidden list leaves the worksheet a sentence with the words' count and
// puts the words on the key; a secret message is announced on the worksheet
// and spelt out on the key.
void drawWorksheetPage(QPainter& painter, const QRectF& page, const WorksheetPuzzle& puzzle,
                       PageKind kind);

// A title as it stands on its page: up to two lines, in a size no smaller
// than 60 % of the title's own, the second line cut with "…" when even that
// does not hold it all.
struct TitleLines {
    QFont font;
    QStringList lines;
};
TitleLines fitTitle(const QString& title, double width, const QPaintDevice* device,
                    const QString& family = QStringLiteral("Liberation Sans"));

// The typeface of the printed page, and of whatever shows a pupil the same
// puzzle: Andika, made for beginning readers (b, d, p, q and I, l, 1 never
// mirror each other), when `easyReading` asks for it and it is installed;
// Liberation Sans otherwise.
QString worksheetFontFamily(bool easyReading);

// The page the worksheets print on: the default printer's, A4 without one.
QPageSize worksheetPageSize();

// Margins around every page, in millimetres.
inline constexpr double kPageMarginMm = 15.0;

// A PDF of the worksheets of `puzzles` in their order, then their answer
// keys in the same order. Empty when the PDF could not be made.
QByteArray worksheetPdf(const std::vector<WorksheetPuzzle>& puzzles, const QPageSize& pageSize,
                        const QString& documentTitle);

// The sentence that tells the user the PDF for `path` could not be made.
QString pdfNotMadeMessage(const QString& path);

// worksheetPdf a page at a time, for a caller that draws one page at each
// turn of its event loop.
class WorksheetPdfMaker {
  public:
    WorksheetPdfMaker(std::vector<WorksheetPuzzle> puzzles, const QPageSize& pageSize,
                      const QString& documentTitle);
    ~WorksheetPdfMaker();
    WorksheetPdfMaker(const WorksheetPdfMaker&) = delete;
    WorksheetPdfMaker& operator=(const WorksheetPdfMaker&) = delete;

    int pages() const { return 2 * static_cast<int>(puzzles_.size()); }
    int pagesDone() const { return pagesDone_; }
    // Draws the next page; false when none is left or the PDF failed.
    bool drawNextPage();
    // The PDF once every page is drawn; empty when it could not be made.
    QByteArray finish();

  private:
    std::vector<WorksheetPuzzle> puzzles_;
    QBuffer buffer_;
    QPdfWriter writer_;
    QPainter painter_;
    int pagesDone_ = 0;
    bool failed_ = false;
};

// Sets up a printer for the pages worksheetPdf makes: their size, margins
// and document name.
void setUpWorksheetPrinter(QPrinter& printer, const QPageSize& pageSize,
                           const QString& documentTitle);

// Draws on the printer what worksheetPdf writes, page for page. False when
// the printer could not be painted on.
bool printWorksheets(QPrinter& printer, const std::vector<WorksheetPuzzle>& puzzles);

// The sentence that tells the user the grid's letters print smaller than
// the puzzle's letter size asks, because the page has no room for them:
// "La cuadrícula de 20 × 20 no cabe en la hoja con letra muy grande: se
// imprime a 17 puntos." Empty when they print at their size.
QString gridShrunkNote(const QPageSize& pageSize, const WorksheetPuzzle& puzzle);

// Where the grid's cells lie on a page of that size, in millimetres from the
// page's top-left corner: what a reader of the PDF measures.
QRectF worksheetGridMm(const QPageSize& pageSize, const WorksheetPuzzle& puzzle, PageKind kind);

// What the worksheet says in place of the list it hides ("Encuentra las 12
// palabras escondidas."), and of the secret message it holds; empty when
// it says nothing of either.
QString hiddenListSentence(const WorksheetPuzzle& puzzle);
QString secretMessageSentence(const WorksheetPuzzle& puzzle);

// The cells the secret message took, indexed row * (cols + 1) + col: the
// first cells of the shape, in reading order, that no word runs through.
std::vector<bool> secretMessageCells(const WorksheetPuzzle& puzzle);

}  // namespace sopaly
