#pragma once

#include <QCursor>

namespace sopaly {

// The pointer over the banner's click area: a 32 x 32 hand whose fingertip,
// at (12, 1), is the hot spot.
QCursor sensorCursor();

}  // namespace sopaly
