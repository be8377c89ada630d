#pragma once

#include <QLabel>
#include <QString>

class QMovie;

namespace sopaly {

// The banner picture viewer: plays an animated picture (GIF or any format
// Qt reads, recognised by its content whatever the file's name) and keeps
// the old picture when a file cannot be read.
class BannerViewer : public QLabel {
    Q_OBJECT

  public:
    explicit BannerViewer(QWidget* parent = nullptr);

    // Shows the picture in the file; returns whether it could. The file is
    // read at once into memory, so it may be rewritten while it is shown.
    bool showFile(const QString& sFilePath);

    // The file of the picture on show; empty before the first one.
    QString shownFile() const { return shownFile_; }

  private:
    QMovie* playing_ = nullptr;
    QString shownFile_;
};

}  // namespace sopaly
