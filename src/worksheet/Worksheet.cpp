#include "Worksheet.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "Cells.h"
#include "Directions.h"
#include "TextWrap.h"

namespace sopaly {

namespace {

constexpr double kLargestCellMm = 12.0;
constexpr double kSmallestCellMm = 2.0;
constexpr double kGapMm = 5.0;
constexpr double kColumnGapMm = 8.0;
constexpr double kFramePaddingMm = 1.5;

const QColor kOutline(0, 102, 204);
const QColor kFillLetterGrey(175, 175, 175);
const QColor kFrameGrey(90, 90, 90);
const QColor kMessageRed(176, 0, 64);

// The sizes of one page's texts, in points.
struct PageLook {
    QString family;
    double wordPoints = 12;  // the words to find, and the worksheet's sentences
    double notePoints = 10;  // the key's notes to the teacher
    // The least the grid's letters take, page allowing; 0 where the cell
    // alone sets them.
    double letterPoints = 0;
};

PageLook pageLook(const WorksheetPuzzle& puzzle) {
    PageLook look;
    look.family = worksheetFontFamily(puzzle.easyReading);
    switch (puzzle.letterSize) {
        case LetterSize::Normal:
            break;
        case LetterSize::Large:
            look = {look.family, 16, 12, 16};
            break;
        case LetterSize::ExtraLarge:
            look = {look.family, 20, 14, 24};
            break;
    }
    return look;
}

QFont textFont(const QString& family, double points, bool bold = false) {
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

constexpr double kTitlePoints = 16;
// A title too long for two lines shrinks down to this share of its size.
constexpr double kSmallestTitleShare = 0.6;
constexpr double kTitleShrinkStep = 0.4;
// The grid's letters take this share of a cell as the cell's size sets
// them, and no more than the larger share when a larger print asks for
// more: beyond it the letters of neighbouring cells crowd together.
constexpr double kLetterShare = 0.58;
constexpr double kMostLetterShare = 0.66;
constexpr double kPointsPerMm = 72 / 25.4;

QFont headingFont(const PageLook& look) {
    return textFont(look.family, 13, true);
}
QFont wordFont(const PageLook& look) {
    return textFont(look.family, look.wordPoints);
}
QFont noteFont(const PageLook& look) {
    return textFont(look.family, look.notePoints);
}

QString shownCellText(Cell cell, bool lowerCase) {
    const QString text = cellText(cell);
    return lowerCase ? text.toLower() : text;
}

QStringList inCase(QStringList words, bool lowerCase) {
    if (lowerCase) {
        for (QString& word : words) word = word.toLower();
    }
    return words;
}

QString noRoomLine(const WorksheetPuzzle& puzzle) {
    if (puzzle.words.noRoom.isEmpty()) return {};
    return QCoreApplication::translate("Worksheet", "No caben en la cuadrícula: %1.")
        .arg(inCase(puzzle.words.noRoom, puzzle.lowerCase).join(u", "));
}

QString beyondLimitLine(const WorksheetPuzzle& puzzle) {
    if (puzzle.words.beyondLimit.isEmpty()) return {};
    return QCoreApplication::translate("Worksheet", "Fuera del máximo de palabras: %1.")
        .arg(inCase(puzzle.words.beyondLimit, puzzle.lowerCase).join(u", "));
}

// What the worksheet says in place of the list it hides.
QString hiddenListLine(const WorksheetPuzzle& puzzle) {
    const int count = static_cast<int>(puzzle.words.placed.size());
    if (!puzzle.hideList || count == 0) return {};
    return QCoreApplication::translate("Worksheet", "Encuentra las %n palabras escondidas.", nullptr,
                                       count);
}

QString messageLine(const WorksheetPuzzle& puzzle) {
    if (puzzle.messageLetters <= 0) return {};
    return QCoreApplication::translate(
        "Worksheet",
        "Las primeras %n letras que sobran, leídas en orden, forman un mensaje secreto.", nullptr,
        puzzle.messageLetters);
}

QString messageKeyLine(const WorksheetPuzzle& puzzle) {
    if (puzzle.messageLetters <= 0) return {};
    return QCoreApplication::translate("Worksheet", "Mensaje secreto: %1")
        .arg(puzzle.lowerCase ? puzzle.message.toLower() : puzzle.message.toUpper());
}

// The pupils read the worksheet's lines; the key's are the teacher's notes.
QFont linesFont(const PageLook& look, PageKind kind) {
    return kind == PageKind::Worksheet ? wordFont(look) : noteFont(look);
}

QStringList wrappedLines(const QString& text, const QFont& font, double width,
                         const QPaintDevice* device) {
    QStringList lines = wrapText(text, font, width, device);
    for (QString& line : lines) line = line.trimmed();
    return lines;
}

}  // namespace

QString worksheetFontFamily(bool easyReading) {
    static const QString andika = QStringLiteral("Andika");
    if (easyReading && QFontDatabase::hasFamily(andika)) return andika;
    return QStringLiteral("Liberation Sans");
}

TitleLines fitTitle(const QString& title, double width, const QPaintDevice* device,
                    const QString& family) {
    const auto titleFont = [&family](double points) { return textFont(family, points, true); };
    TitleLines fitted;
    for (double points = kTitlePoints; points >= kTitlePoints * kSmallestTitleShare - 1e-9;
         points -= kTitleShrinkStep) {
        fitted.font = titleFont(points);
        fitted.lines = wrappedLines(title, fitted.font, width, device);
        if (fitted.lines.size() <= 2) return fitted;
    }
    // Still more than two lines at the smallest size: the second line takes
    // what it can of the rest, and "…" says that more was there.
    fitted.font = titleFont(kTitlePoints * kSmallestTitleShare);
    const QStringList lines = wrappedLines(title, fitted.font, width, device);
    const QString first = lines.value(0);
    const QString rest = title.mid(title.indexOf(first) + first.size()).simplified();
    const QFontMetricsF metrics(fitted.font, device);
    QString second = metrics.elidedText(rest, Qt::ElideRight, width);
    if (!second.endsWith(u'…')) second = metrics.elidedText(rest + u'…', Qt::ElideRight, width);
    fitted.lines = {first, second};
    return fitted;
}

namespace {

// Where everything of one page goes, in the painter's coordinates.
struct PageLayout {
    double mm = 1;  // device units in a millimetre
    PageLook look;
    double letterPoints = 0;  // the grid's letters as printed
    QRectF title;
    TitleLines titleLines;
    QRectF heading;
    QRectF grid;
    double cell = 0;
    QRectF below;
    // The words to find: how many columns, how wide each, how many rows.
    QStringList words;
    int wordColumns = 1;
    double wordColumnWidth = 0;
    int wordRows = 0;
    double wordsLeft = 0;  // the columns stand centred under the grid
    double linesTop = 0;   // the lines below the words
    QStringList lines;     // sentences under the grid (and under the words)
};

// The words in as many columns as the page's width takes, centred on the
// page; returns the block's height.
double layOutWords(PageLayout& layout, const QPaintDevice* device, const QRectF& page,
                   const QStringList& words) {
    const double mm = layout.mm;
    const double width = page.width();
    layout.words = words;
    const QFontMetricsF metrics(wordFont(layout.look), device);
    double widest = 0;
    for (const QString& word : words) widest = std::max(widest, metrics.horizontalAdvance(word));
    layout.wordColumnWidth = widest + kColumnGapMm * mm;
    const auto fitting = static_cast<int>((width + kColumnGapMm * mm) / layout.wordColumnWidth);
    layout.wordColumns = std::clamp(fitting, 1, std::max(1, static_cast<int>(words.size())));
    layout.wordRows =
        static_cast<int>((words.size() + layout.wordColumns - 1) / layout.wordColumns);
    // As few columns as those rows need, so that the block is centred on
    // what it shows.
    if (layout.wordRows > 0) {
        layout.wordColumns =
            static_cast<int>((words.size() + layout.wordRows - 1) / layout.wordRows);
    }
    const double columnsWidth = layout.wordColumns * layout.wordColumnWidth - kColumnGapMm * mm;
    layout.wordsLeft = page.left() + std::max(0.0, (width - columnsWidth) / 2);
    return layout.wordRows * metrics.lineSpacing();
}

// The sentences below the words that the page has to say; returns their
// height, each wrapped to the page's width.
double layOutLines(PageLayout& layout, const QPaintDevice* device, double width,
                   const WorksheetPuzzle& puzzle, PageKind kind) {
    const QStringList candidates =
        kind == PageKind::Worksheet
            ? QStringList{hiddenListLine(puzzle), messageLine(puzzle)}
            : QStringList{noRoomLine(puzzle), beyondLimitLine(puzzle), messageKeyLine(puzzle)};
    const QFontMetricsF metrics(linesFont(layout.look, kind), device);
    double height = 0;
    for (const QString& line : candidates) {
        if (line.isEmpty()) continue;
        layout.lines << line;
        height +=
            metrics
                .boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap | Qt::AlignHCenter, line)
                .height() +
            metrics.lineSpacing() * 0.5;
    }
    return height;
}

PageLayout layOut(const QPaintDevice* device, const QRectF& page, const WorksheetPuzzle& puzzle,
                  PageKind kind) {
    PageLayout layout;
    layout.mm = device->logicalDpiY() / 25.4;
    layout.look = pageLook(puzzle);
    const double mm = layout.mm;
    const double width = page.width();
    double top = page.top();

    if (!puzzle.title.isEmpty()) {
        layout.titleLines = fitTitle(puzzle.title, width, device, layout.look.family);
        const QFontMetricsF metrics(layout.titleLines.font, device);
        const auto lines = static_cast<double>(layout.titleLines.lines.size());
        layout.title =
            QRectF(page.left(), top, width, lines * metrics.lineSpacing() + metrics.height() * 0.2);
        top = layout.title.bottom();
    }
    if (kind == PageKind::AnswerKey) {
        const QFontMetricsF metrics(headingFont(layout.look), device);
        layout.heading = QRectF(page.left(), top, width, metrics.height() * 1.2);
        top = layout.heading.bottom();
    }
    if (top > page.top()) top += kGapMm * mm;

    // The worksheet lists the words unless it hides them; the key then
    // lists them instead.
    const bool listed = (kind == PageKind::Worksheet) != puzzle.hideList;
    const double wordsHeight =
        listed ? layOutWords(layout, device, page, inCase(puzzle.words.placed, puzzle.lowerCase))
               : 0;
    const double linesHeight = layOutLines(layout, device, width, puzzle, kind);
    const double linesGap = wordsHeight > 0 && linesHeight > 0 ? kGapMm * mm : 0;
    const double belowHeight = wordsHeight + linesGap + linesHeight;

    const int rows = std::max(puzzle.grid.rows(), 1);
    const int cols = std::max(puzzle.grid.cols(), 1);
    const double room = page.bottom() - top - (belowHeight > 0 ? kGapMm * mm + belowHeight : 0);
    // A larger print takes larger cells, up to the page's whole width.
    const double letterMm = layout.look.letterPoints / kPointsPerMm;
    const double largest = std::max(kLargestCellMm, letterMm / kLetterShare) * mm;
    layout.cell = std::min({largest, width / cols, room / rows});
    layout.cell = std::max(layout.cell, kSmallestCellMm * mm);
    const double cellMm = layout.cell / mm;
    layout.letterPoints =
        std::min(std::max(letterMm, kLetterShare * cellMm), kMostLetterShare * cellMm) *
        kPointsPerMm;
    const double gridWidth = layout.cell * puzzle.grid.cols();
    layout.grid = QRectF(page.left() + (width - gridWidth) / 2, top, gridWidth,
                         layout.cell * puzzle.grid.rows());
    layout.below = QRectF(page.left(), layout.grid.bottom() + kGapMm * mm, width, belowHeight);
    layout.linesTop = layout.below.top() + wordsHeight + linesGap;
    return layout;
}

QPointF cellCentre(const PageLayout& layout, int row, int col) {
    return {layout.grid.left() + (col - 0.5) * layout.cell,
            layout.grid.top() + (row - 0.5) * layout.cell};
}

int placedLength(const WorksheetPuzzle& puzzle, const Placement& where) {
    if (where.poolIndex < 0 || where.poolIndex >= puzzle.pool.size()) return 0;
    return static_cast<int>(wordCells(puzzle.pool.at(where.poolIndex)).size());
}

// The cells that a placed word runs through.
std::vector<bool> placedCells(const WorksheetPuzzle& puzzle) {
    const Grid& grid = puzzle.grid;
    std::vector<bool> used(static_cast<std::size_t>((grid.rows() + 1) * (grid.cols() + 1)), false);
    for (const Placement& where : puzzle.placements) {
        const Step step = directionStep(where.direction);
        const int length = placedLength(puzzle, where);
        for (int k = 0; k < length; ++k) {
            const int row = where.row + k * step.dRow;
            const int col = where.col + k * step.dCol;
            if (grid.isUsedCell(row, col)) {
                used[static_cast<std::size_t>(row * (grid.cols() + 1) + col)] = true;
            }
        }
    }
    return used;
}

bool onShape(const Grid& grid, int row, int col) {
    return grid.isUsedCell(row, col) && grid.at(row, col) != kOffShapeCell;
}

// The border of a shaped grid: every side of one of its cells that does not
// face another of them.
QPainterPath shapeOutline(const PageLayout& layout, const Grid& grid) {
    QPainterPath path;
    const auto corner = [&](int row, int col) {
        return QPointF(layout.grid.left() + col * layout.cell,
                       layout.grid.top() + row * layout.cell);
    };
    for (int row = 1; row <= grid.rows(); ++row) {
        for (int col = 1; col <= grid.cols(); ++col) {
            if (!onShape(grid, row, col)) continue;
            const int r = row - 1;
            const int c = col - 1;
            if (!onShape(grid, row - 1, col)) {
                path.moveTo(corner(r, c));
                path.lineTo(corner(r, c + 1));
            }
            if (!onShape(grid, row + 1, col)) {
                path.moveTo(corner(r + 1, c));
                path.lineTo(corner(r + 1, c + 1));
            }
            if (!onShape(grid, row, col - 1)) {
                path.moveTo(corner(r, c));
                path.lineTo(corner(r + 1, c));
            }
            if (!onShape(grid, row, col + 1)) {
                path.moveTo(corner(r, c + 1));
                path.lineTo(corner(r + 1, c + 1));
            }
        }
    }
    return path;
}

// The cells the secret message took: the first cells no word runs
// through, in reading order.
std::vector<bool> messageCells(const WorksheetPuzzle& puzzle, const std::vector<bool>& inWords) {
    const Grid& grid = puzzle.grid;
    std::vector<bool> cells(inWords.size(), false);
    int left = puzzle.messageLetters;
    for (int row = 1; row <= grid.rows() && left > 0; ++row) {
        for (int col = 1; col <= grid.cols() && left > 0; ++col) {
            const auto index = static_cast<std::size_t>(row * (grid.cols() + 1) + col);
            if (!onShape(grid, row, col) || grid.at(row, col) == kBlankCell || inWords[index]) {
                continue;
            }
            cells[index] = true;
            --left;
        }
    }
    return cells;
}

void drawGrid(QPainter& painter, const PageLayout& layout, const WorksheetPuzzle& puzzle,
              PageKind kind) {
    const Grid& grid = puzzle.grid;
    const double mm = layout.mm;
    QPen frame(kFrameGrey, 0.3 * mm);
    frame.setCapStyle(Qt::RoundCap);
    painter.setPen(frame);
    painter.setBrush(Qt::NoBrush);
    if (isShaped(grid)) {
        painter.drawPath(shapeOutline(layout, grid));
    } else {
        const double pad = kFramePaddingMm * mm;
        painter.drawRect(layout.grid.adjusted(-pad, -pad, pad, pad));
    }

    const QFont letters = textFont(layout.look.family, layout.letterPoints);
    // Colour alone never tells the message on the key: its letters are bold too.
    const QFont messageLetters = textFont(layout.look.family, layout.letterPoints, true);
    const bool key = kind == PageKind::AnswerKey;
    const std::vector<bool> used = key ? placedCells(puzzle) : std::vector<bool>();
    const std::vector<bool> message = key ? messageCells(puzzle, used) : std::vector<bool>();
    for (int row = 1; row <= grid.rows(); ++row) {
        for (int col = 1; col <= grid.cols(); ++col) {
            const Cell cell = grid.at(row, col);
            if (cell == kBlankCell || cell == kOffShapeCell) continue;
            const auto index = static_cast<std::size_t>(row * (grid.cols() + 1) + col);
            QColor colour = Qt::black;
            painter.setFont(key && message[index] ? messageLetters : letters);
            if (key && message[index]) {
                colour = kMessageRed;
            } else if (key && !used[index]) {
                colour = kFillLetterGrey;
            }
            painter.setPen(colour);
            const QRectF box(layout.grid.left() + (col - 1) * layout.cell,
                             layout.grid.top() + (row - 1) * layout.cell, layout.cell, layout.cell);
            painter.drawText(box, Qt::AlignCenter, shownCellText(cell, puzzle.lowerCase));
        }
    }
}

// A rounded outline along each placed word, from its first cell to its last.
void drawOutlines(QPainter& painter, const PageLayout& layout, const WorksheetPuzzle& puzzle) {
    const double radius = layout.cell * 0.42;
    QPen pen(kOutline, layout.cell * 0.07);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const Placement& where : puzzle.placements) {
        const int length = placedLength(puzzle, where);
        if (length <= 0) continue;
        const Step step = directionStep(where.direction);
        const QPointF first = cellCentre(layout, where.row, where.col);
        const QPointF last = cellCentre(layout, where.row + (length - 1) * step.dRow,
                                        where.col + (length - 1) * step.dCol);
        const QPointF along = last - first;
        painter.save();
        painter.translate(first);
        painter.rotate(std::atan2(along.y(), along.x()) * 180.0 / std::numbers::pi);
        const double span = std::hypot(along.x(), along.y());
        painter.drawRoundedRect(QRectF(-radius, -radius, span + 2 * radius, 2 * radius), radius,
                                radius);
        painter.restore();
    }
}

void drawWordColumns(QPainter& painter, const PageLayout& layout, const QStringList& words) {
    painter.setFont(wordFont(layout.look));
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(wordFont(layout.look), painter.device());
    for (qsizetype i = 0; i < words.size(); ++i) {
        const auto column = static_cast<int>(i / layout.wordRows);
        const auto row = static_cast<int>(i % layout.wordRows);
        const QRectF box(layout.wordsLeft + column * layout.wordColumnWidth,
                         layout.below.top() + row * metrics.lineSpacing(), layout.wordColumnWidth,
                         metrics.lineSpacing());
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, words.at(i));
    }
}

void drawLines(QPainter& painter, const PageLayout& layout, PageKind kind) {
    painter.setFont(linesFont(layout.look, kind));
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(linesFont(layout.look, kind), painter.device());
    double top = layout.linesTop;
    for (const QString& line : layout.lines) {
        const QRectF box(layout.below.left(), top, layout.below.width(), 1e9);
        QRectF used;
        painter.drawText(box, Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop, line, &used);
        top += used.height() + metrics.lineSpacing() * 0.5;
    }
}

void setUpWriter(QPdfWriter& writer, const QPageSize& pageSize) {
    writer.setPageSize(pageSize);
    writer.setPageMargins(QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm),
                          QPageLayout::Millimeter);
    writer.setResolution(600);
    writer.setCreator(QStringLiteral("Sopaly"));
}

}  // namespace

WorksheetPuzzle worksheetPuzzle(const QString& title, const Puzzle& puzzle,
                                const std::vector<Placement>& placements,
                                const PuzzleSettings& builtWith) {
    WorksheetPuzzle sheet;
    sheet.title = title;
    sheet.grid = puzzle.WordGrid;
    sheet.pool = puzzle.WordPool;
    sheet.placements = placements;
    sheet.words = puzzleWords(puzzle.WordPool, placements, builtWith);
    sheet.lowerCase = builtWith.lowerCase;
    sheet.hideList = builtWith.hideList;
    sheet.letterSize = builtWith.letterSize;
    sheet.easyReading = builtWith.easyReading;
    if (puzzle.Message.placed()) {
        sheet.message = puzzle.Message.typed;
        sheet.messageLetters = puzzle.Message.letters;
    }
    return sheet;
}

void drawWorksheetPage(QPainter& painter, const QRectF& page, const WorksheetPuzzle& puzzle,
                       PageKind kind) {
    const PageLayout layout = layOut(painter.device(), page, puzzle, kind);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    if (!layout.title.isEmpty()) {
        const TitleLines& title = layout.titleLines;
        painter.setFont(title.font);
        const QFontMetricsF metrics(title.font, painter.device());
        double top = layout.title.top() + metrics.height() * 0.1;
        for (const QString& line : title.lines) {
            painter.drawText(
                QRectF(layout.title.left(), top, layout.title.width(), metrics.lineSpacing()),
                Qt::AlignHCenter | Qt::AlignVCenter, line);
            top += metrics.lineSpacing();
        }
    }
    if (!layout.heading.isEmpty()) {
        painter.setFont(headingFont(layout.look));
        painter.drawText(layout.heading, Qt::AlignCenter,
                         QCoreApplication::translate("Worksheet", "Solución"));
    }
    drawGrid(painter, layout, puzzle, kind);
    if (kind == PageKind::AnswerKey) drawOutlines(painter, layout, puzzle);
    if (layout.wordRows > 0) drawWordColumns(painter, layout, layout.words);
    drawLines(painter, layout, kind);
    painter.restore();
}

QString pdfNotMadeMessage(const QString& path) {
    return QCoreApplication::translate("FileRoad", "No se pudo crear el PDF %1.")
        .arg(QDir::toNativeSeparators(path));
}

QPageSize worksheetPageSize() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull()) {
        const QPageSize size = printer.defaultPageSize();
        if (size.isValid()) return size;
    }
    return QPageSize(QPageSize::A4);
}

namespace {

// Page `n` of the worksheets in their order, then their keys in the same
// order, on a painter begun on `device`; false when no new page could be had.
bool paintPage(QPainter& painter, QPagedPaintDevice& device,
               const std::vector<WorksheetPuzzle>& puzzles, int n) {
    const auto count = static_cast<int>(puzzles.size());
    const PageKind kind = n < count ? PageKind::Worksheet : PageKind::AnswerKey;
    if (n > 0 && !device.newPage()) return false;
    drawWorksheetPage(painter, QRectF(0, 0, device.width(), device.height()),
                      puzzles[static_cast<std::size_t>(n % count)], kind);
    return true;
}

}  // namespace

WorksheetPdfMaker::WorksheetPdfMaker(std::vector<WorksheetPuzzle> puzzles,
                                     const QPageSize& pageSize, const QString& documentTitle)
    : puzzles_(std::move(puzzles)), writer_(&buffer_) {
    buffer_.open(QIODevice::WriteOnly);
    setUpWriter(writer_, pageSize);
    writer_.setTitle(documentTitle);
    failed_ = !painter_.begin(&writer_);
}

WorksheetPdfMaker::~WorksheetPdfMaker() {
    if (painter_.isActive()) painter_.end();
}

bool WorksheetPdfMaker::drawNextPage() {
    if (failed_ || pagesDone_ >= pages()) return false;
    if (!paintPage(painter_, writer_, puzzles_, pagesDone_)) {
        failed_ = true;
        return false;
    }
    ++pagesDone_;
    return true;
}

QByteArray WorksheetPdfMaker::finish() {
    if (failed_ || pagesDone_ < pages() || !painter_.end()) return {};
    return buffer_.data();
}

QByteArray worksheetPdf(const std::vector<WorksheetPuzzle>& puzzles, const QPageSize& pageSize,
                        const QString& documentTitle) {
    WorksheetPdfMaker maker(puzzles, pageSize, documentTitle);
    while (maker.drawNextPage()) continue;
    return maker.finish();
}

void setUpWorksheetPrinter(QPrinter& printer, const QPageSize& pageSize,
                           const QString& documentTitle) {
    printer.setPageSize(pageSize);
    printer.setPageMargins(QMarginsF(kPageMarginMm, kPageMarginMm, kPageMarginMm, kPageMarginMm),
                           QPageLayout::Millimeter);
    printer.setDocName(documentTitle);
    printer.setCreator(QStringLiteral("Sopaly"));
}

bool printWorksheets(QPrinter& printer, const std::vector<WorksheetPuzzle>& puzzles) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    bool painted = true;
    for (int n = 0; painted && n < 2 * static_cast<int>(puzzles.size()); ++n) {
        painted = paintPage(painter, printer, puzzles, n);
    }
    return painter.end() && painted;
}

namespace {

// The layout a page of that size gives the puzzle, as worksheetPdf draws it.
PageLayout layOutOnPage(const QPageSize& pageSize, const WorksheetPuzzle& puzzle, PageKind kind) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    setUpWriter(writer, pageSize);
    return layOut(&writer, QRectF(0, 0, writer.width(), writer.height()), puzzle, kind);
}

QString letterSizeWords(LetterSize size) {
    return size == LetterSize::ExtraLarge
               ? QCoreApplication::translate("Worksheet", "letra muy grande")
               : QCoreApplication::translate("Worksheet", "letra grande");
}

}  // namespace

QString gridShrunkNote(const QPageSize& pageSize, const WorksheetPuzzle& puzzle) {
    const double wanted = pageLook(puzzle).letterPoints;
    if (wanted <= 0) return {};
    double printed = wanted;
    for (const PageKind kind : {PageKind::Worksheet, PageKind::AnswerKey}) {
        printed = std::min(printed, layOutOnPage(pageSize, puzzle, kind).letterPoints);
    }
    // A rounding's worth short is the size asked for.
    if (printed > wanted - 0.05) return {};
    return QCoreApplication::translate(
               "Worksheet",
               "La cuadrícula de %1 × %2 no cabe en la hoja con %3: se imprime a %4 puntos.")
        .arg(puzzle.grid.rows())
        .arg(puzzle.grid.cols())
        .arg(letterSizeWords(puzzle.letterSize))
        .arg(std::lround(printed));
}

QRectF worksheetGridMm(const QPageSize& pageSize, const WorksheetPuzzle& puzzle, PageKind kind) {
    const PageLayout layout = layOutOnPage(pageSize, puzzle, kind);
    const QRectF& grid = layout.grid;
    return {grid.left() / layout.mm + kPageMarginMm, grid.top() / layout.mm + kPageMarginMm,
            grid.width() / layout.mm, grid.height() / layout.mm};
}

QString hiddenListSentence(const WorksheetPuzzle& puzzle) {
    return hiddenListLine(puzzle);
}

QString secretMessageSentence(const WorksheetPuzzle& puzzle) {
    return messageLine(puzzle);
}

std::vector<bool> secretMessageCells(const WorksheetPuzzle& puzzle) {
    return messageCells(puzzle, placedCells(puzzle));
}

}  // namespace sopaly
