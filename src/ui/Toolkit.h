#pragma once

#include <QColor>
#include <QGroupBox>
#include <QPoint>
#include <QRect>
#include <QSizeF>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

#include "Twips.h"

namespace sopaly {

// The widget side of the twips helpers (see Twips.h).
namespace twips {

// Moves and sizes `widget` within its container, in twips.
void place(QWidget* widget, int left, int top, int width, int height);

// The size of the screen that shows `widget`, in twips.
QSizeF screenSize(const QWidget* widget);

// Where a window of outer size `outer` goes to sit in the middle of `screen`
// at load: exact halves, so a half twip may be left over.
QPointF centredAtLoad(QSizeF screen, QSizeF outer);

// Where it goes at each activation: the differences are rounded to whole
// twips (halves to even) and then halved dropping the fraction, towards zero
// (a window wider than the screen gets a negative Left).
QPoint centredAtActivation(QSizeF screen, QSizeF outer);

// Moves a window that is neither minimised, maximised nor full screen to
// the place centredAtLoad or centredAtActivation gives on its screen.
enum class Centring { AtLoad, AtActivation };
void centre(QWidget* window, Centring when);

}  // namespace twips

// A frame: a group box whose caption has a colour of its own (its children
// keep theirs), and whose geometry is kept in twips so that growing it in
// steps of a few twips adds up exactly. Children beyond its width are clipped
// away like those of any parent widget.
class Frame : public QGroupBox {
    Q_OBJECT
  public:
    Frame(const QString& caption, QColor captionColour, QWidget* parent = nullptr);

    void setGeometryTwips(int left, int top, int width, int height);
    int widthTwips() const { return twips_.width(); }
    void setWidthTwips(int width);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor captionColour_;
    QRect twips_;
};

// A straight horizontal line from (x1, y) to (x2, y), in twips within its
// parent, drawn `penWidth` pixels thick. Either end can be moved; a line whose
// ends meet draws nothing. It takes no mouse input.
class LineShape : public QWidget {
    Q_OBJECT
  public:
    LineShape(int x1, int x2, int y, QColor colour, int penWidth, QWidget* parent = nullptr);

    int x1() const { return x1_; }
    int x2() const { return x2_; }
    void setX1(int x1);
    void setX2(int x2);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void updateGeometryFromEnds();

    int x1_;
    int x2_;
    int y_;
    QColor colour_;
    int penWidth_;
};

// The controls of the design, each named, placed in twips within its
// container, and with the tooltip the design gives it.
void setTextColour(QWidget* widget, QColor colour);
QLineEdit* textBox(QWidget* parent, const char* name, const QString& text, QRect twipsRect,
                   const QString& toolTip = {});
// Not a default button: Enter in a text box belongs to the text box.
QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect twipsRect,
                    bool enabled, const QString& toolTip = {});
QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect twipsRect);
// The design's frames have blue captions.
Frame* frame(QWidget* parent, const char* name, const QString& caption, QRect twipsRect,
             QColor captionColour = QColor(0, 0, 255));

}  // namespace sopaly
