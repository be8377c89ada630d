#pragma once

#include <QString>

namespace sopaly {

// The product's home on the web: the puzzle file's banner line names it and
// the menu's "Web Site Sopaly!!!" opens its page.
inline QString productBaseAddress() {
    return QStringLiteral("https://www.sopaly.example");
}
inline QString productPageAddress() {
    return productBaseAddress() + QStringLiteral("/sopaly");
}
inline QString productAuthor() {
    return QStringLiteral("Equipo Sopaly");
}

}  // namespace sopaly
