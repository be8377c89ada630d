#include "Toolkit.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>
#include <QStylePainter>
#include <algorithm>
#include <cmath>

#include "Numbers.h"

namespace sopaly {

namespace twips {

void place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(toPixels(left, top, width, height));
}

QSizeF screenSize(const QWidget* widget) {
    const QScreen* screen = widget->screen();
    if (screen == nullptr) return {};
    const QSize pixels = screen->geometry().size();
    return QSizeF(fromPixels(pixels.width()), fromPixels(pixels.height()));
}

QPointF centredAtLoad(QSizeF screen, QSizeF outer) {
    return QPointF((screen.width() - outer.width()) / 2.0,
                   (screen.height() - outer.height()) / 2.0);
}

QPoint centredAtActivation(QSizeF screen, QSizeF outer) {
    const auto half = [](double difference) {
        return static_cast<int>(roundHalfEven(difference)) / 2;
    };
    return QPoint(half(screen.width() - outer.width()), half(screen.height() - outer.height()));
}

void centre(QWidget* window, Centring when) {
    if (window->isMinimized() || window->isMaximized() || window->isFullScreen()) return;
    const QSizeF outer(fromPixels(window->frameGeometry().width()),
                       fromPixels(window->frameGeometry().height()));
    const QSizeF screen = screenSize(window);
    const QPointF place = when == Centring::AtLoad ? centredAtLoad(screen, outer)
                                                   : QPointF(centredAtActivation(screen, outer));
    const QPoint origin = window->screen() ? window->screen()->geometry().topLeft() : QPoint();
    // Half a twip left over goes to the nearest pixel.
    window->move(origin + QPoint(toPixels(place.x()), toPixels(place.y())));
}

}  // namespace twips

namespace {

// The classic frame: its line runs through the middle of the caption, so the
// controls laid out close below the top edge sit inside it. Shared by every
// frame; setStyle() leaves the children with the application's style.
QStyle* frameStyle() {
    static QPointer<QStyle> style;
    if (style.isNull()) {
        style = QStyleFactory::create(QStringLiteral("Windows"));
        if (style != nullptr) style->setParent(QCoreApplication::instance());
    }
    return style;
}

}  // namespace

Frame::Frame(const QString& caption, QColor captionColour, QWidget* parent)
    : QGroupBox(caption, parent), captionColour_(captionColour) {
    if (QStyle* style = frameStyle()) setStyle(style);
}

void Frame::setGeometryTwips(int left, int top, int width, int height) {
    twips_ = QRect(left, top, width, height);
    twips::place(this, left, top, width, height);
}

void Frame::setWidthTwips(int width) {
    twips_.setWidth(width);
    resize(twips::toPixels(width), height());
}

void Frame::paintEvent(QPaintEvent*) {
    // QGroupBox's own painting, with the caption in the frame's colour; a
    // palette colour would be inherited by every child as well.
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    if (captionColour_.isValid()) {
        option.textColor = captionColour_;
        option.palette.setColor(QPalette::WindowText, captionColour_);
    }
    painter.drawComplexControl(QStyle::CC_GroupBox, option);
}

LineShape::LineShape(int x1, int x2, int y, QColor colour, int penWidth, QWidget* parent)
    : QWidget(parent), x1_(x1), x2_(x2), y_(y), colour_(colour), penWidth_(penWidth) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    updateGeometryFromEnds();
}

void LineShape::setX1(int x1) {
    x1_ = x1;
    updateGeometryFromEnds();
}

void LineShape::setX2(int x2) {
    x2_ = x2;
    updateGeometryFromEnds();
}

void LineShape::updateGeometryFromEnds() {
    // The widget is the line's own bounding box, so the parent clips the
    // line exactly where it clips any other child.
    const int left = twips::toPixels(std::min(x1_, x2_));
    const int right = twips::toPixels(std::max(x1_, x2_));
    const int top = twips::toPixels(y_) - penWidth_ / 2;
    setGeometry(left, top, right - left, penWidth_);
    update();
}

void LineShape::paintEvent(QPaintEvent*) {
    if (width() <= 0 || height() <= 0) return;
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
}

void setTextColour(QWidget* widget, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QLineEdit* textBox(QWidget* parent, const char* name, const QString& text, QRect twipsRect,
                   const QString& toolTip) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    twips::place(box, twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height());
    box->setToolTip(toolTip);
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QRect twipsRect,
                    bool enabled, const QString& toolTip) {
    auto* push = new QPushButton(caption, parent);
    push->setObjectName(QString::fromLatin1(name));
    twips::place(push, twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height());
    push->setEnabled(enabled);
    push->setToolTip(toolTip);
    push->setAutoDefault(false);
    return push;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect twipsRect) {
    auto* text = new QLabel(caption, parent);
    text->setObjectName(QString::fromLatin1(name));
    twips::place(text, twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height());
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return text;
}

Frame* frame(QWidget* parent, const char* name, const QString& caption, QRect twipsRect,
             QColor captionColour) {
    auto* box = new Frame(caption, captionColour, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometryTwips(twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height());
    return box;
}

}  // namespace sopaly
