#include "BannerLists.h"

#include "CheckedRead.h"

namespace sopaly {

QStringList splitBannerLines(const QByteArray& bytes) {
    QStringList lines;
    qsizetype start = 0;
    qsizetype i = 0;
    const qsizetype size = bytes.size();
    while (i < size) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.append(QString::fromUtf8(bytes.constData() + start, i - start));
        // CR LF is one ending, not an ending followed by an empty line.
        i += (c == '\r' && i + 1 < size && bytes.at(i + 1) == '\n') ? 2 : 1;
        start = i;
    }
    if (start < size) {
        lines.append(QString::fromUtf8(bytes.constData() + start, size - start));
    }
    return lines;
}

int readBannerList(const QString& sFilePath, BannerList& entries) {
    // A FIFO, a folder or a huge file reads as no list: the banner's default.
    const CheckedBytes file = readRegularFile(sFilePath, kLargestListFile);
    if (!file.ok()) {
        return 0;
    }
    const QStringList lines = splitBannerLines(file.bytes);
    const int stored = static_cast<int>(std::min<qsizetype>(lines.size(), kBannerSlots));
    for (int i = 0; i < stored; ++i) {
        entries[static_cast<std::size_t>(i) + 1] = lines.at(i);
    }
    return stored;
}

}  // namespace sopaly
