#include "TextWrap.h"

#include <QTextLayout>

namespace sopaly {

QStringList wrapText(const QString& text, const QFont& font, double width,
                     const QPaintDevice* device) {
    QTextLayout layout(text, font, const_cast<QPaintDevice*>(device));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

}  // namespace sopaly
