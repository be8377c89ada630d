#pragma once

// Whether a label's text shows whole where it is drawn.
#include <QFontMetrics>
#include <QLabel>
#include <QString>

// Where the label's text, laid out by its font's metrics as the label lays it
// out (wrapped when the label wraps), would run out of its box, out of its
// parent, or under a visible sibling stacked above it; empty when it all shows.
inline QString clippedText(const QLabel* label) {
    const QRect box = label->contentsRect();
    int flags = static_cast<int>(label->alignment());
    if (label->wordWrap()) flags |= Qt::TextWordWrap;
    const QRect drawn = QFontMetrics(label->font()).boundingRect(box, flags, label->text());
    const auto describe = [&](const QString& where) {
        return QStringLiteral("%1: \"%2\" takes %3x%4 at %5,%6; %7")
            .arg(label->objectName(), label->text())
            .arg(drawn.width())
            .arg(drawn.height())
            .arg(drawn.x())
            .arg(drawn.y())
            .arg(where);
    };
    if (!box.contains(drawn)) {
        return describe(QStringLiteral("its box is %1x%2").arg(box.width()).arg(box.height()));
    }
    const QWidget* parent = label->parentWidget();
    const QRect inParent = drawn.translated(label->pos());
    if (!parent->rect().contains(inParent)) return describe(QStringLiteral("past its parent"));
    bool above = false;
    for (const QObject* child : parent->children()) {
        if (child == label) {
            above = true;
            continue;
        }
        const auto* sibling = qobject_cast<const QWidget*>(child);
        if (above && sibling && sibling->isVisible() && sibling->geometry().intersects(inParent)) {
            return describe(QStringLiteral("under ") + sibling->objectName());
        }
    }
    return {};
}
