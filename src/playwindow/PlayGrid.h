#pragma once

#include <QColor>
#include <QRectF>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <optional>

#include "PlayGame.h"
#include "Selection.h"

namespace sopaly {

// The grid of a game, drawn as large as its widget allows. A word is
// selected by a drag (mouse, pen or finger), by two clicks or taps on its
// first and last letters, or with the keys: the arrows move a cursor, Space
// or Enter marks the first letter and then the last, Escape drops a half-made
// selection. The game decides what a selection finds; the grid shows it.
class PlayGrid : public QWidget {
    Q_OBJECT
  public:
    PlayGrid(PlayGame& game, QWidget* parent = nullptr);

    PlayGame& game() const { return game_; }
    CellPos cursorCell() const { return cursor_; }
    // Where a cell lies in the widget; empty for a cell outside the grid.
    QRectF cellRect(CellPos cell) const;
    QPoint cellCentre(CellPos cell) const { return cellRect(cell).center().toPoint(); }
    // The cell under a point, or the nearest one when `nearest`.
    std::optional<CellPos> cellAt(QPointF point, bool nearest = false) const;

    // The letters' size against a cell's: Ctrl++ and Ctrl+- step it.
    void zoomIn();
    void zoomOut();
    void resetZoom();
    double zoom() const { return zoom_; }

    // The first letter of the word blinks for two seconds.
    void blinkHint(int word);
    // The outlines of the words given up, or whatever else the game changed.
    void gameChanged();

  signals:
    // A selection was made; `result` is what the game found in it.
    void selectionMade(const PlayGame::Result& result);
    void cursorMoved(CellPos cell);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  private:
    struct Geometry {
        double cell = 0;
        QPointF origin;
    };
    Geometry geometry() const;
    QRectF lineRect(const CellLine& line) const;
    QRegion lineRegion(const CellLine& line) const;
    void paintWordOutline(QPainter& painter, const CellLine& line, const QColor& colour,
                          Qt::PenStyle style, double fillAlpha) const;
    void paintLetters(QPainter& painter, const QRegion& dirty) const;
    void paintHint(QPainter& painter) const;
    void paintCursor(QPainter& painter) const;

    void press(QPointF point);
    void move(QPointF point);
    void release(QPointF point);
    void setPreview(std::optional<CellLine> line);
    void complete(CellPos from, CellPos to);
    void moveCursor(int dRow, int dCol);
    void setCursorCell(CellPos cell);
    void markWithKeys();
    void announceFocus();

    PlayGame& game_;
    CellPos cursor_{1, 1};
    std::optional<CellPos> pressed_;  // a drag in progress started here
    std::optional<CellPos> anchor_;   // the first letter of a two-step selection
    std::optional<CellLine> preview_;
    std::optional<CellLine> missed_;  // flashed for a moment
    QTimer missTimer_;
    std::optional<CellPos> hintCell_;
    int hintTicks_ = 0;
    QTimer hintTimer_;
    double zoom_ = 1.0;
};

// The colour of the n-th word's outline, from a palette that colour-blind
// eyes still tell apart (Okabe and Ito).
QColor wordColour(int word);

}  // namespace sopaly
