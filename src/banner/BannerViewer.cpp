#include "BannerViewer.h"

#include <QBuffer>
#include <QImageReader>
#include <QMovie>

#include "Banner.h"
#include "CheckedRead.h"

namespace sopaly {

BannerViewer::BannerViewer(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
}

bool BannerViewer::showFile(const QString& sFilePath) {
    // No larger than a fetched banner may be.
    const CheckedBytes file = readRegularFile(sFilePath, SponsorBanner::kMaxPictureBytes);
    if (!file.ok()) {
        return false;
    }
    const QByteArray& bytes = file.bytes;
    {
        // A header that looks right is not enough: the first frame must decode.
        QBuffer probe;
        probe.setData(bytes);
        probe.open(QIODevice::ReadOnly);
        QImageReader reader(&probe);
        if (reader.read().isNull()) {
            return false;
        }
    }
    auto* movie = new QMovie(this);
    auto* buffer = new QBuffer(movie);
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    // No frame cache: a sponsor's picture could be large, and decoding each
    // frame again from memory is cheap at banner sizes.
    movie->setDevice(buffer);
    if (!movie->isValid()) {
        delete movie;
        return false;
    }
    // The label must hold the movie before it starts: it repaints only on
    // the movie's signals, and a still picture sends them once, at its start.
    setMovie(movie);
    delete playing_;
    playing_ = movie;
    shownFile_ = sFilePath;
    movie->start();
    return true;
}

}  // namespace sopaly
