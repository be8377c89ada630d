#include "BannerViewer.h"

#include <QBuffer>
#include <QFile>
#include <QMovie>

namespace sopaly {

BannerViewer::BannerViewer(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
}

bool BannerViewer::showFile(const QString& sFilePath) {
    QFile file(sFilePath);
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    auto* movie = new QMovie(this);
    auto* buffer = new QBuffer(movie);
    buffer->setData(file.readAll());
    buffer->open(QIODevice::ReadOnly);
    // No frame cache: a sponsor's picture could be large, and decoding each
    // frame again from memory is cheap at banner sizes.
    movie->setDevice(buffer);
    // A header that looks right is not enough: the first frame must decode.
    movie->start();
    if (!movie->isValid() || movie->currentImage().isNull()) {
        delete movie;
        return false;
    }
    setMovie(movie);
    delete playing_;
    playing_ = movie;
    shownFile_ = sFilePath;
    return true;
}

}  // namespace sopaly
