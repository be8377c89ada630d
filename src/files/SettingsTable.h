#pragma once

#include <QLatin1String>

namespace sopaly {

// Each number a user sets and the program keeps: its key in the settings
// file, the value the window starts from, and the range the window, the
// settings file and the puzzle's own checks all take. A value read back
// outside its range is ignored.
struct NumberSetting {
    QLatin1String key;
    int designValue;
    int lowest;
    int highest;
};

inline constexpr NumberSetting kGridRowsSetting{QLatin1String("rompecabezas/filas"), 20, 5, 20};
inline constexpr NumberSetting kGridColumnsSetting{QLatin1String("rompecabezas/columnas"), 20, 5,
                                                   20};
inline constexpr NumberSetting kWordLimitSetting{QLatin1String("rompecabezas/maximo_de_palabras"),
                                                 100, 1, 32767};
// A batch count is anything the batch button takes.
inline constexpr NumberSetting kBatchCountSetting{QLatin1String("lote/rompecabezas"), 1, 1,
                                                  2147483647};
inline constexpr NumberSetting kClassroomVersionsSetting{QLatin1String("clase/versiones"), 30, 1,
                                                         200};

}  // namespace sopaly
