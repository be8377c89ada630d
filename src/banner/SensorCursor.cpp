#include "SensorCursor.h"

#include <QPixmap>

namespace sopaly {

QCursor sensorCursor() {
    return QCursor(QPixmap(QStringLiteral(":/sopaly/sensor.png")), 12, 1);
}

}  // namespace sopaly
