#include "StatusLine.h"

#include <QAccessibleWidget>
#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "TextWrap.h"

namespace sopaly {

namespace {

constexpr int kMargin = 1;

// As much of `text` as fits in `width` with "…" after it, cut where a word
// ends; within a word only when not even the first word fits.
QString elidedAtWord(const QString& text, const QFontMetrics& metrics, int width) {
    const QString ellipsis = QStringLiteral("…");
    QString fitting;
    for (qsizetype end = text.indexOf(u' '); end >= 0; end = text.indexOf(u' ', end + 1)) {
        const QString candidate = text.left(end).trimmed();
        if (metrics.horizontalAdvance(candidate + ellipsis) > width) break;
        fitting = candidate;
    }
    if (!fitting.isEmpty()) return fitting + ellipsis;
    QString cut = metrics.elidedText(text, Qt::ElideRight, width);
    return cut.endsWith(ellipsis) ? cut
                                  : metrics.elidedText(text + ellipsis, Qt::ElideRight, width);
}

// A screen reader meets the line as a status bar named by its whole text,
// not as an unnamed filler whose text only a tooltip holds.
QAccessibleInterface* statusLineAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(StatusLine::staticMetaObject.className()) || !object ||
        !object->isWidgetType()) {
        return nullptr;
    }
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::StatusBar);
}

}  // namespace

StatusLine::StatusLine(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(statusLineAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    // A long text wraps rather than widening the window.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setFixedHeight(heightFor(1));
}

int StatusLine::heightFor(int lines) const {
    return std::max(lines, 1) * fontMetrics().lineSpacing() + 2 * kMargin;
}

QSize StatusLine::sizeHint() const {
    return {0, heightFor(static_cast<int>(lines_.size()))};
}

QSize StatusLine::minimumSizeHint() const {
    return sizeHint();
}

void StatusLine::setText(const QString& text) {
    beforeSaved_ = text;
    text_ = text;
    setToolTip(text);
    // The name changes with the text, and the change is announced.
    setAccessibleName(text);
    relayout();
}

void StatusLine::addSavedFile(const QString& what, const QString& path) {
    const QString sentence = QStringLiteral("%1 %2.").arg(what, QDir::toNativeSeparators(path));
    const QString before = beforeSaved_;
    setText(before.isEmpty() ? sentence : before + u' ' + sentence);
    beforeSaved_ = before;
}

void StatusLine::relayout() {
    const int width = std::max(contentsRect().width() - 2 * kMargin, 1);
    QStringList lines = wrapText(text_, font(), width);
    if (lines.size() > kMostLines) {
        const QFontMetrics metrics(font());
        qsizetype shown = 0;
        for (int i = 0; i < kMostLines - 1; ++i) shown += lines.at(i).size();
        lines = lines.mid(0, kMostLines - 1);
        lines << elidedAtWord(text_.mid(shown).trimmed(), metrics, width);
    }
    for (QString& line : lines) line = line.trimmed();
    lines_ = lines;
    setFixedHeight(heightFor(static_cast<int>(lines_.size())));
    update();
    // Once the bar has taken the new height: a window resized inside a
    // resize of its own would be laid out twice over.
    QTimer::singleShot(0, this, &StatusLine::fitWindow);
}

void StatusLine::fitWindow() {
    QWidget* top = window();
    if (!top || top == this || !top->isVisible()) return;
    if (top->isMaximized() || top->isFullScreen() || top->isMinimized()) return;
    const int wanted = heightFor(static_cast<int>(lines_.size())) - heightFor(1);
    const int change = wanted - grownBy_;
    if (change == 0) return;
    grownBy_ = wanted;
    top->resize(top->width(), top->height() + change);
}

void StatusLine::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    relayout();
}

void StatusLine::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int spacing = fontMetrics().lineSpacing();
    const QRect area = contentsRect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QRect line(area.left(), area.top() + static_cast<int>(i) * spacing, area.width(),
                         spacing);
        painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, lines_.at(i));
    }
}

}  // namespace sopaly
