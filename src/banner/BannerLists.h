#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

namespace sopaly {

// Only this many lines of a banner list are ever used.
inline constexpr int kBannerSlots = 6;

// Positions 1 to kBannerSlots are used; position 0 stays empty so that a
// banner number indexes its entry directly.
using BannerList = std::array<QString, kBannerSlots + 1>;

// Splits a list file into lines. A line ends at CR, CR LF or LF; its text is
// kept whole (no trimming). A last line without an ending still counts; an
// empty file has no lines.
QStringList splitBannerLines(const QByteArray& bytes);

// Reads the first kBannerSlots lines of the file at sFilePath into positions
// 1.. of entries and returns how many it stored. Positions the file does not
// reach keep what they held. A missing or unreadable file, or one that is no
// regular file within 1 MiB, stores nothing.
int readBannerList(const QString& sFilePath, BannerList& entries);

}  // namespace sopaly
