#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <functional>

#include "BannerLists.h"
#include "CheckedRead.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace sopaly {

class Random;

// The banner's state, as the main window's handlers see it.
struct BannerState {
    BannerList BannerUrls;   // picture addresses, from "u.t"
    BannerList BannerLinks;  // link targets, from "p.t"
    qint16 BannerCount = 0;  // entries in BannerUrls, 0 to 6
    qint16 BannerIndex = 0;  // banner shown now; 0 until a tick has shown one
    QByteArray BannerBytes;  // last picture fetched in this run
};

// A banner number from 1 to iCount, each equally likely, drawn from the
// program's generator. iCount must be at least 1.
int drawBannerIndex(Random& random, int iCount);

// Whether an address may be fetched or handed to the system: only web
// addresses with a host. A file, a program path or any other scheme could
// start something on this machine, so those are refused.
bool isWebAddress(const QUrl& url);

// The sponsor banner of the main window: reads the two lists at each
// activation, fetches a picture at each tick and opens the links.
//
// Fetches run in the background, one at a time, so the window keeps
// answering while a slow sponsor server takes its time. A tick's picture and
// its number take effect together when the fetch succeeds, and a failed one
// keeps both, so the link a click opens always belongs to the picture on
// screen. Every failure is silent.
class SponsorBanner : public QObject {
    Q_OBJECT

  public:
    using Opener = std::function<void(const QUrl&)>;

    static constexpr int kDefaultTimeoutMs = 4000;
    static constexpr qint64 kMaxPictureBytes = kLargestPictureFile;

    // programFolder holds the lists and pictures. network may be null (the
    // banner then makes its own); opener defaults to the desktop's handler
    // for web addresses, which the program does not wait for.
    SponsorBanner(QString programFolder, Random& random, QNetworkAccessManager* network = nullptr,
                  Opener opener = {}, QObject* parent = nullptr);
    ~SponsorBanner() override;

    // The main window became active: standby picture, lists read again.
    // The banner number is kept, so a click still opens the last link.
    void activate();
    // One banner tick. Returns false, doing nothing at all, while the fetch
    // of an earlier tick is still under way.
    bool tick();
    // The sponsor label and the click area over the banner.
    void openCurrentLink();
    // The menu's "Web Site Sopaly!!!".
    void openProductPage();
    // Drops a fetch in progress; its tick then never finishes.
    void cancel();

    bool isFetching() const { return !reply_.isNull(); }
    const BannerState& state() const { return state_; }
    QString programFile(const QString& sName) const;
    // Where the banner reads a file it does not write (the standby picture,
    // the lists); by default the program folder holds them too.
    using FileLocator = std::function<QString(const QString& sName)>;
    void setFileLocator(FileLocator locate) { locate_ = std::move(locate); }

    // How long a fetch may take before it is given up; at most the default.
    void setTimeout(int iMilliseconds);
    int timeout() const { return timeoutMs_; }

  signals:
    // The viewer should show this picture file.
    void showPicture(const QString& sFilePath);
    // A tick has ended: its picture (if any) has been written and shown.
    void tickFinished();

  private:
    void openAddress(const QString& sAddress);
    void readReply();
    void replyFinished(QNetworkReply* reply);
    void finishTick(int iIndex, bool fetched);

    QString programFolder_;
    FileLocator locate_;
    Random& random_;
    QNetworkAccessManager* network_;
    Opener opener_;
    int timeoutMs_ = kDefaultTimeoutMs;
    BannerState state_;

    // The fetch under way, if any.
    QPointer<QNetworkReply> reply_;
    QByteArray body_;
    bool oversized_ = false;
    int pendingIndex_ = 0;
    QTimer deadline_;
};

}  // namespace sopaly
