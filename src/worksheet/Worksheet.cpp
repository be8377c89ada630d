#include "Worksheet.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "Cells.h"
#include "Directions.h"

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

QFont textFont(double points, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

constexpr double kTitlePoints = 16;
// A title too long for two lines shrinks down to this share of its size.
constexpr double kSmallestTitleShare = 0.6;
constexpr double kTitleShrinkStep = 0.4;

QFont titleFont(double points = kTitlePoints) {
    return textFont(points, true);
}
QFont headingFont() {
    return textFont(13, true);
}
QFont wordFont() {
    return textFont(12);
}
QFont noteFont() {
    return textFont(10);
}

QString noRoomLine(const PuzzleWords& words) {
    if (words.noRoom.isEmpty()) return {};
    return QStringLiteral("No caben en la cuadrícula: %1.").arg(words.noRoom.join(u", "));
}

QString beyondLimitLine(const PuzzleWords& words) {
    if (words.beyondLimit.isEmpty()) return {};
    return QStringLiteral("Fuera del máximo de palabras: %1.").arg(words.beyondLimit.join(u", "));
}

// The lines of `text` in `font` within `width`: broken between words, and
// inside a word only where it is wider than the line.
QStringList wrappedLines(const QString& text, const QFont& font, double width,
                         const QPaintDevice* device) {
    QTextLayout layout(text, font, const_cast<QPaintDevice*>(device));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    return lines;
}

}  // namespace

TitleLines fitTitle(const QString& title, double width, const QPaintDevice* device) {
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
    QRectF title;
    TitleLines titleLines;
    QRectF heading;
    QRectF grid;
    double cell = 0;
    QRectF below;
    // The words to find: how many columns, how wide each, how many rows.
    int wordColumns = 1;
    double wordColumnWidth = 0;
    int wordRows = 0;
    double wordsLeft = 0;  // the columns stand centred under the grid
    QStringList notes;     // the answer key's lines under the grid
};

PageLayout layOut(const QPaintDevice* device, const QRectF& page, const WorksheetPuzzle& puzzle,
                  PageKind kind) {
    PageLayout layout;
    layout.mm = device->logicalDpiY() / 25.4;
    const double mm = layout.mm;
    const double width = page.width();
    double top = page.top();

    if (!puzzle.title.isEmpty()) {
        layout.titleLines = fitTitle(puzzle.title, width, device);
        const QFontMetricsF metrics(layout.titleLines.font, device);
        const auto lines = static_cast<double>(layout.titleLines.lines.size());
        layout.title =
            QRectF(page.left(), top, width, lines * metrics.lineSpacing() + metrics.height() * 0.2);
        top = layout.title.bottom();
    }
    if (kind == PageKind::AnswerKey) {
        const QFontMetricsF metrics(headingFont(), device);
        layout.heading = QRectF(page.left(), top, width, metrics.height() * 1.2);
        top = layout.heading.bottom();
    }
    if (top > page.top()) top += kGapMm * mm;

    double belowHeight = 0;
    if (kind == PageKind::Worksheet) {
        const QStringList& words = puzzle.words.placed;
        const QFontMetricsF metrics(wordFont(), device);
        double widest = 0;
        for (const QString& word : words)
            widest = std::max(widest, metrics.horizontalAdvance(word));
        layout.wordColumnWidth = widest + kColumnGapMm * mm;
        const auto fitting = static_cast<int>((width + kColumnGapMm * mm) / layout.wordColumnWidth);
        layout.wordColumns = std::clamp(fitting, 1, std::max(1, static_cast<int>(words.size())));
        layout.wordRows =
            static_cast<int>((words.size() + layout.wordColumns - 1) / layout.wordColumns);
        // As few columns as those rows need, so that the block is centred
        // on what it shows.
        if (layout.wordRows > 0) {
            layout.wordColumns =
                static_cast<int>((words.size() + layout.wordRows - 1) / layout.wordRows);
        }
        belowHeight = layout.wordRows * metrics.lineSpacing();
        const double columnsWidth = layout.wordColumns * layout.wordColumnWidth - kColumnGapMm * mm;
        layout.wordsLeft = page.left() + std::max(0.0, (width - columnsWidth) / 2);
    } else {
        const QFontMetricsF metrics(noteFont(), device);
        for (const QString& line : {noRoomLine(puzzle.words), beyondLimitLine(puzzle.words)}) {
            if (line.isEmpty()) continue;
            layout.notes << line;
            belowHeight += metrics
                               .boundingRect(QRectF(0, 0, width, 1e9),
                                             Qt::TextWordWrap | Qt::AlignHCenter, line)
                               .height() +
                           metrics.lineSpacing() * 0.5;
        }
    }

    const int rows = std::max(puzzle.grid.rows(), 1);
    const int cols = std::max(puzzle.grid.cols(), 1);
    const double room = page.bottom() - top - (belowHeight > 0 ? kGapMm * mm + belowHeight : 0);
    layout.cell = std::min({kLargestCellMm * mm, width / cols, room / rows});
    layout.cell = std::max(layout.cell, kSmallestCellMm * mm);
    const double gridWidth = layout.cell * puzzle.grid.cols();
    layout.grid = QRectF(page.left() + (width - gridWidth) / 2, top, gridWidth,
                         layout.cell * puzzle.grid.rows());
    layout.below = QRectF(page.left(), layout.grid.bottom() + kGapMm * mm, width, belowHeight);
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

void drawGrid(QPainter& painter, const PageLayout& layout, const WorksheetPuzzle& puzzle,
              PageKind kind) {
    const Grid& grid = puzzle.grid;
    const double mm = layout.mm;
    painter.setPen(QPen(kFrameGrey, 0.3 * mm));
    painter.setBrush(Qt::NoBrush);
    const double pad = kFramePaddingMm * mm;
    painter.drawRect(layout.grid.adjusted(-pad, -pad, pad, pad));

    QFont letters(QStringLiteral("Liberation Sans"));
    letters.setStyleHint(QFont::SansSerif);
    letters.setPixelSize(std::max(1, static_cast<int>(std::lround(layout.cell * 0.58))));
    painter.setFont(letters);
    const std::vector<bool> used =
        kind == PageKind::AnswerKey ? placedCells(puzzle) : std::vector<bool>();
    for (int row = 1; row <= grid.rows(); ++row) {
        for (int col = 1; col <= grid.cols(); ++col) {
            const Cell cell = grid.at(row, col);
            if (cell == kBlankCell) continue;
            const bool inWord = kind == PageKind::Worksheet ||
                                used[static_cast<std::size_t>(row * (grid.cols() + 1) + col)];
            painter.setPen(inWord ? QColor(Qt::black) : kFillLetterGrey);
            const QRectF box(layout.grid.left() + (col - 1) * layout.cell,
                             layout.grid.top() + (row - 1) * layout.cell, layout.cell, layout.cell);
            painter.drawText(box, Qt::AlignCenter, cellText(cell));
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
    painter.setFont(wordFont());
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(wordFont(), painter.device());
    for (qsizetype i = 0; i < words.size(); ++i) {
        const auto column = static_cast<int>(i / layout.wordRows);
        const auto row = static_cast<int>(i % layout.wordRows);
        const QRectF box(layout.wordsLeft + column * layout.wordColumnWidth,
                         layout.below.top() + row * metrics.lineSpacing(), layout.wordColumnWidth,
                         metrics.lineSpacing());
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, words.at(i));
    }
}

void drawNotes(QPainter& painter, const PageLayout& layout) {
    painter.setFont(noteFont());
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(noteFont(), painter.device());
    double top = layout.below.top();
    for (const QString& line : layout.notes) {
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
        painter.setFont(headingFont());
        painter.drawText(layout.heading, Qt::AlignCenter, QString::fromUtf16(kAnswerKeyHeading));
    }
    drawGrid(painter, layout, puzzle, kind);
    if (kind == PageKind::AnswerKey) {
        drawOutlines(painter, layout, puzzle);
        drawNotes(painter, layout);
    } else if (layout.wordRows > 0) {
        drawWordColumns(painter, layout, puzzle.words.placed);
    }
    painter.restore();
}

QPageSize worksheetPageSize() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (!printer.isNull()) {
        const QPageSize size = printer.defaultPageSize();
        if (size.isValid()) return size;
    }
    return QPageSize(QPageSize::A4);
}

QByteArray worksheetPdf(const std::vector<WorksheetPuzzle>& puzzles, const QPageSize& pageSize,
                        const QString& documentTitle, const PageProgress& progress) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        setUpWriter(writer, pageSize);
        writer.setTitle(documentTitle);
        QPainter painter;
        if (!painter.begin(&writer)) return {};
        const QRectF page(0, 0, writer.width(), writer.height());
        int pagesDone = 0;
        for (const PageKind kind : {PageKind::Worksheet, PageKind::AnswerKey}) {
            for (const WorksheetPuzzle& puzzle : puzzles) {
                if (pagesDone > 0 && !writer.newPage()) return {};
                drawWorksheetPage(painter, page, puzzle, kind);
                ++pagesDone;
                if (progress && !progress(pagesDone)) return {};
            }
        }
        if (!painter.end()) return {};
    }
    return buffer.data();
}

QRectF worksheetGridMm(const QPageSize& pageSize, const WorksheetPuzzle& puzzle, PageKind kind) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    setUpWriter(writer, pageSize);
    const PageLayout layout =
        layOut(&writer, QRectF(0, 0, writer.width(), writer.height()), puzzle, kind);
    const QRectF& grid = layout.grid;
    return {grid.left() / layout.mm + kPageMarginMm, grid.top() / layout.mm + kPageMarginMm,
            grid.width() / layout.mm, grid.height() / layout.mm};
}

}  // namespace sopaly
