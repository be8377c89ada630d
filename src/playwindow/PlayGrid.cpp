#include "PlayGrid.h"

#include <QAccessible>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QTouchEvent>
#include <algorithm>
#include <array>
#include <cmath>

#include "PlayGridAccessible.h"

namespace sopaly {

namespace {

// Okabe and Ito's palette, the yellow last: it shows least on white.
constexpr std::array<QRgb, 8> kPalette{0x0072B2, 0xD55E00, 0x009E73, 0xCC79A7,
                                       0xE69F00, 0x56B4E9, 0x000000, 0xF0E442};
constexpr double kZoomStep = 0.1;
constexpr double kSmallestZoom = 0.5;
constexpr double kLargestZoom = 1.6;
constexpr int kBlinkMs = 250;
constexpr int kBlinkTicks = 8;  // two seconds
constexpr int kMissMs = 400;

}  // namespace

QColor wordColour(int word) {
    return QColor::fromRgb(kPalette[static_cast<std::size_t>(word) % kPalette.size()]);
}

PlayGrid::PlayGrid(PlayGame& game, QWidget* parent) : QWidget(parent), game_(game) {
    installPlayGridAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    missTimer_.setSingleShot(true);
    missTimer_.setInterval(kMissMs);
    connect(&missTimer_, &QTimer::timeout, this, [this] {
        if (missed_) update(lineRect(*missed_).toAlignedRect());
        missed_.reset();
    });
    hintTimer_.setInterval(kBlinkMs);
    connect(&hintTimer_, &QTimer::timeout, this, [this] {
        if (!hintCell_) return;
        update(cellRect(*hintCell_).toAlignedRect().adjusted(-4, -4, 4, 4));
        if (++hintTicks_ >= kBlinkTicks) {
            hintTimer_.stop();
            hintCell_.reset();
        }
    });
}

QSize PlayGrid::sizeHint() const {
    return {40 * game_.puzzle().cols(), 40 * game_.puzzle().rows()};
}

QSize PlayGrid::minimumSizeHint() const {
    return {16 * game_.puzzle().cols(), 16 * game_.puzzle().rows()};
}

PlayGrid::Geometry PlayGrid::geometry() const {
    const int rows = std::max(1, game_.puzzle().rows());
    const int cols = std::max(1, game_.puzzle().cols());
    const double cell =
        std::min(width() / static_cast<double>(cols), height() / static_cast<double>(rows));
    return {cell, {(width() - cell * cols) / 2.0, (height() - cell * rows) / 2.0}};
}

QRectF PlayGrid::cellRect(CellPos cell) const {
    if (!game_.puzzle().grid.isUsedCell(cell.row, cell.col)) return {};
    const Geometry at = geometry();
    return {at.origin.x() + (cell.col - 1) * at.cell, at.origin.y() + (cell.row - 1) * at.cell,
            at.cell, at.cell};
}

std::optional<CellPos> PlayGrid::cellAt(QPointF point, bool nearest) const {
    const Geometry at = geometry();
    if (at.cell <= 0) return std::nullopt;
    int col = static_cast<int>(std::floor((point.x() - at.origin.x()) / at.cell)) + 1;
    int row = static_cast<int>(std::floor((point.y() - at.origin.y()) / at.cell)) + 1;
    if (nearest) {
        row = std::clamp(row, 1, game_.puzzle().rows());
        col = std::clamp(col, 1, game_.puzzle().cols());
    }
    if (!game_.puzzle().grid.isUsedCell(row, col)) return std::nullopt;
    return CellPos{row, col};
}

QRectF PlayGrid::lineRect(const CellLine& line) const {
    const double margin = geometry().cell * 0.2;
    return cellRect(line.start)
        .united(cellRect(line.end()))
        .adjusted(-margin, -margin, margin, margin);
}

// --- Drawing --------------------------------------------------------------

void PlayGrid::paintWordOutline(QPainter& painter, const CellLine& line, const QColor& colour,
                                Qt::PenStyle style, double fillAlpha) const {
    const double cell = geometry().cell;
    QPainterPath centreLine(cellRect(line.start).center());
    centreLine.lineTo(cellRect(line.end()).center() + QPointF(0.01, 0));
    QPainterPathStroker stroker;
    stroker.setWidth(cell * 0.78);
    stroker.setCapStyle(Qt::RoundCap);
    const QPainterPath outline = stroker.createStroke(centreLine).simplified();
    QColor fill = colour;
    fill.setAlphaF(fillAlpha);
    painter.setBrush(fill);
    painter.setPen(QPen(colour, std::max(2.0, cell * 0.08), style, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(outline);
}

void PlayGrid::paintLetters(QPainter& painter, const QRegion& dirty) const {
    const PlayPuzzle& puzzle = game_.puzzle();
    QFont font = this->font();
    font.setPixelSize(std::max(6, static_cast<int>(geometry().cell * 0.55 * zoom_)));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int row = 1; row <= puzzle.rows(); ++row) {
        for (int col = 1; col <= puzzle.cols(); ++col) {
            const QRectF box = cellRect({row, col});
            if (!dirty.intersects(box.toAlignedRect())) continue;
            painter.drawText(box, Qt::AlignCenter, puzzle.letter({row, col}));
        }
    }
}

void PlayGrid::paintHint(QPainter& painter) const {
    if (!hintCell_ || hintTicks_ % 2 != 0) return;
    const double cell = geometry().cell;
    const double inset = cell * 0.08;
    painter.setPen(QPen(Qt::black, std::max(2.0, cell * 0.1)));
    painter.setBrush(QColor(0xF0, 0xE4, 0x42));
    painter.drawEllipse(cellRect(*hintCell_).adjusted(inset, inset, -inset, -inset));
    painter.setBrush(Qt::NoBrush);
}

void PlayGrid::paintCursor(QPainter& painter) const {
    const double cell = geometry().cell;
    painter.setBrush(Qt::NoBrush);
    if (anchor_) {
        const double inset = cell * 0.1;
        painter.setPen(QPen(Qt::black, std::max(2.0, cell * 0.06)));
        painter.drawEllipse(cellRect(*anchor_).adjusted(inset, inset, -inset, -inset));
    }
    if (hasFocus()) {
        // Black and white, so that it shows on any colour under it.
        const QRectF box = cellRect(cursor_).adjusted(2, 2, -2, -2);
        painter.setPen(QPen(Qt::white, std::max(4.0, cell * 0.1)));
        painter.drawRect(box);
        painter.setPen(QPen(Qt::black, std::max(2.0, cell * 0.05), Qt::DashLine));
        painter.drawRect(box);
    }
}

void PlayGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(event->rect(), palette().color(QPalette::Base));
    const PlayPuzzle& puzzle = game_.puzzle();
    for (int i = 0; i < game_.wordCount(); ++i) {
        const auto& place = puzzle.places[static_cast<std::size_t>(i)];
        if (!event->region().intersects(lineRect(place).toAlignedRect())) continue;
        if (game_.isFound(i)) {
            paintWordOutline(painter, place, wordColour(i), Qt::SolidLine, 0.18);
        } else if (game_.gaveUp()) {
            paintWordOutline(painter, place, QColor(0x80, 0x80, 0x80), Qt::DashLine, 0.12);
        }
    }
    if (preview_) paintWordOutline(painter, *preview_, QColor(0x00, 0x72, 0xB2), Qt::DotLine, 0.3);
    if (missed_) paintWordOutline(painter, *missed_, QColor(0xD5, 0x5E, 0x00), Qt::SolidLine, 0.35);
    paintHint(painter);
    paintLetters(painter, event->region());
    paintCursor(painter);
}

// --- Selecting --------------------------------------------------------------

void PlayGrid::setPreview(std::optional<CellLine> line) {
    if (line == preview_) return;
    // Only the cells under the old and the new line: a diagonal's bounding
    // box would repaint most of a large grid at every step of a drag.
    QRegion changed;
    if (preview_) changed += lineRegion(*preview_);
    if (line) changed += lineRegion(*line);
    preview_ = line;
    update(changed);
}

QRegion PlayGrid::lineRegion(const CellLine& line) const {
    const double margin = geometry().cell * 0.1;
    QRegion region;
    for (int i = 0; i < line.length; ++i) {
        region += cellRect(line.at(i)).adjusted(-margin, -margin, margin, margin).toAlignedRect();
    }
    return region;
}

void PlayGrid::press(QPointF point) {
    const std::optional<CellPos> cell = cellAt(point);
    if (!cell) return;
    pressed_ = cell;
    setCursorCell(*cell);
    setPreview(snapSelection(anchor_.value_or(*cell), *cell, game_.puzzle().rows(),
                             game_.puzzle().cols()));
}

void PlayGrid::move(QPointF point) {
    if (!pressed_) return;
    const CellPos cell = *cellAt(point, true);
    setPreview(snapSelection(*pressed_, cell, game_.puzzle().rows(), game_.puzzle().cols()));
}

void PlayGrid::release(QPointF point) {
    if (!pressed_) return;
    const CellPos from = *pressed_;
    const CellPos to = *cellAt(point, true);
    pressed_.reset();
    if (from != to) {
        complete(from, to);  // a drag
    } else if (anchor_) {
        complete(*anchor_, to);  // the second click or tap
    } else {
        anchor_ = to;  // the first
        setPreview(std::nullopt);
        update(cellRect(to).toAlignedRect());
    }
}

void PlayGrid::complete(CellPos from, CellPos to) {
    const CellLine line = snapSelection(from, to, game_.puzzle().rows(), game_.puzzle().cols());
    if (anchor_) update(cellRect(*anchor_).toAlignedRect());
    anchor_.reset();
    setPreview(std::nullopt);
    const PlayGame::Result result = game_.select(from, to);
    if (!result.word) {
        missed_ = line;
        missTimer_.start();
    }
    update(lineRect(line).toAlignedRect());
    emit selectionMade(result);
}

void PlayGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) press(event->position());
}

void PlayGrid::mouseMoveEvent(QMouseEvent* event) {
    move(event->position());
}

void PlayGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) release(event->position());
}

bool PlayGrid::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd: {
            // The first finger selects, as the mouse does; the event taken
            // here is not made into a mouse event again.
            auto* touch = static_cast<QTouchEvent*>(event);
            if (touch->points().isEmpty()) return true;
            const QPointF point = touch->points().first().position();
            if (event->type() == QEvent::TouchBegin) press(point);
            if (event->type() == QEvent::TouchUpdate) move(point);
            if (event->type() == QEvent::TouchEnd) release(point);
            event->accept();
            return true;
        }
        case QEvent::TouchCancel:
            pressed_.reset();
            setPreview(std::nullopt);
            return true;
        default:
            return QWidget::event(event);
    }
}

// --- Keys -----------------------------------------------------------------

void PlayGrid::setCursorCell(CellPos cell) {
    if (cell == cursor_) return;
    update(cellRect(cursor_).toAlignedRect());
    cursor_ = cell;
    update(cellRect(cursor_).toAlignedRect());
    if (anchor_)
        setPreview(snapSelection(*anchor_, cursor_, game_.puzzle().rows(), game_.puzzle().cols()));
    announceFocus();
    emit cursorMoved(cursor_);
}

void PlayGrid::moveCursor(int dRow, int dCol) {
    setCursorCell({std::clamp(cursor_.row + dRow, 1, game_.puzzle().rows()),
                   std::clamp(cursor_.col + dCol, 1, game_.puzzle().cols())});
}

void PlayGrid::markWithKeys() {
    if (anchor_) {
        complete(*anchor_, cursor_);
    } else {
        anchor_ = cursor_;
        setPreview(snapSelection(cursor_, cursor_, game_.puzzle().rows(), game_.puzzle().cols()));
    }
}

void PlayGrid::keyPressEvent(QKeyEvent* event) {
    const PlayPuzzle& puzzle = game_.puzzle();
    switch (event->key()) {
        case Qt::Key_Left:
            moveCursor(0, -1);
            break;
        case Qt::Key_Right:
            moveCursor(0, 1);
            break;
        case Qt::Key_Up:
            moveCursor(-1, 0);
            break;
        case Qt::Key_Down:
            moveCursor(1, 0);
            break;
        case Qt::Key_Home: {
            int col = 1;  // the row's first cell of the shape
            while (col < puzzle.cols() && !puzzle.inShape({cursor_.row, col})) ++col;
            setCursorCell({cursor_.row, col});
            break;
        }
        case Qt::Key_End: {
            int col = puzzle.cols();
            while (col > 1 && !puzzle.inShape({cursor_.row, col})) --col;
            setCursorCell({cursor_.row, col});
            break;
        }
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            markWithKeys();
            break;
        case Qt::Key_Escape:
            if (!anchor_ && !pressed_) {
                event->ignore();
                return;
            }
            if (anchor_) update(cellRect(*anchor_).toAlignedRect());
            anchor_.reset();
            pressed_.reset();
            setPreview(std::nullopt);
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    event->accept();
}

void PlayGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update(cellRect(cursor_).toAlignedRect().adjusted(-4, -4, 4, 4));
    announceFocus();
}

void PlayGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update(cellRect(cursor_).toAlignedRect().adjusted(-4, -4, 4, 4));
}

void PlayGrid::announceFocus() {
    if (!hasFocus() || !QAccessible::isActive()) return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(playGridChildIndex(*this, cursor_));
    QAccessible::updateAccessibility(&focus);
}

// --- Zoom, hints, the game's changes ---------------------------------------

void PlayGrid::zoomIn() {
    zoom_ = std::min(kLargestZoom, zoom_ + kZoomStep);
    update();
}

void PlayGrid::zoomOut() {
    zoom_ = std::max(kSmallestZoom, zoom_ - kZoomStep);
    update();
}

void PlayGrid::resetZoom() {
    zoom_ = 1.0;
    update();
}

void PlayGrid::blinkHint(int word) {
    hintCell_ = game_.puzzle().places.at(static_cast<std::size_t>(word)).start;
    hintTicks_ = 0;
    hintTimer_.start();
    update(cellRect(*hintCell_).toAlignedRect().adjusted(-4, -4, 4, 4));
}

void PlayGrid::gameChanged() {
    update();
    if (!QAccessible::isActive()) return;
    // Found cells say so in their names; the cursor's cell, which has the
    // focus, first of all.
    QAccessibleEvent changed(this, QAccessible::NameChanged);
    changed.setChild(playGridChildIndex(*this, cursor_));
    QAccessible::updateAccessibility(&changed);
}

}  // namespace sopaly
