#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace sopaly {

// How large the printed page sets its letters, for pupils who need larger print.
enum class LetterSize { Normal, Large, ExtraLarge };

inline constexpr std::array kLetterSizes{LetterSize::Normal, LetterSize::Large,
                                         LetterSize::ExtraLarge};

// The word the settings file and the command line spell each size with.
inline QString letterSizeKey(LetterSize size) {
    switch (size) {
        case LetterSize::Large:
            return QStringLiteral("grande");
        case LetterSize::ExtraLarge:
            return QStringLiteral("muy-grande");
        case LetterSize::Normal:
            break;
    }
    return QStringLiteral("normal");
}

inline std::optional<LetterSize> letterSizeFromKey(QStringView key) {
    for (const LetterSize size : kLetterSizes) {
        if (key == letterSizeKey(size)) return size;
    }
    return std::nullopt;
}

}  // namespace sopaly
