#include "Banner.h"

#include <QDesktopServices>
#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <algorithm>
#include <cmath>

#include "Product.h"
#include "Random.h"
#include "SafeWrite.h"

namespace sopaly {

int drawBannerIndex(Random& random, int iCount) {
    // In double, so that a draw just below 1 can never round up to iCount.
    const int drawn = static_cast<int>(std::floor(static_cast<double>(random.next()) * iCount)) + 1;
    return std::clamp(drawn, 1, iCount);
}

bool isWebAddress(const QUrl& url) {
    const QString scheme = url.scheme();
    return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

SponsorBanner::SponsorBanner(QString programFolder, Random& random, QNetworkAccessManager* network,
                             Opener opener, QObject* parent)
    : QObject(parent),
      programFolder_(std::move(programFolder)),
      random_(random),
      network_(network ? network : new QNetworkAccessManager(this)),
      opener_(opener ? std::move(opener)
                     : Opener([](const QUrl& url) { QDesktopServices::openUrl(url); })) {
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        if (reply_) {
            reply_->abort();
        }
    });
}

SponsorBanner::~SponsorBanner() {
    cancel();
}

QString SponsorBanner::programFile(const QString& sName) const {
    return QDir(programFolder_).filePath(sName);
}

void SponsorBanner::setTimeout(int iMilliseconds) {
    timeoutMs_ = std::clamp(iMilliseconds, 1, kDefaultTimeoutMs);
}

void SponsorBanner::activate() {
    const auto shipped = [this](const QString& sName) {
        return locate_ ? locate_(sName) : programFile(sName);
    };
    emit showPicture(shipped(QStringLiteral("S.g")));
    state_.BannerCount =
        static_cast<qint16>(readBannerList(shipped(QStringLiteral("u.t")), state_.BannerUrls));
    readBannerList(shipped(QStringLiteral("p.t")), state_.BannerLinks);
}

bool SponsorBanner::tick() {
    if (reply_) {
        return false;
    }
    if (state_.BannerCount == 0) {
        emit tickFinished();
        return true;
    }
    const int index = drawBannerIndex(random_, state_.BannerCount);
    const QUrl url(state_.BannerUrls[static_cast<std::size_t>(index)]);
    if (!isWebAddress(url)) {
        finishTick(index, false);
        return true;
    }

    QNetworkRequest request(url);
    request.setTransferTimeout(timeoutMs_);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    pendingIndex_ = index;
    body_.clear();
    oversized_ = false;
    QNetworkReply* reply = network_->get(request);
    reply_ = reply;
    // Without a bound the network thread takes in the whole answer, however
    // large, before the limit below is ever checked; bounded, it reads no
    // further than one byte past the limit until the banner has counted it.
    // Qt has already started the request, so this must follow get() at once:
    // the bound reaches the network thread only between two of its events.
    reply->setReadBufferSize(kMaxPictureBytes + 1);
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] {
        // A declared length over the limit needs no download to be refused.
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (reply == reply_ && length.isValid() && length.toLongLong() > kMaxPictureBytes) {
            oversized_ = true;
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::readyRead, this, &SponsorBanner::readReply);
    connect(reply, &QNetworkReply::finished, this, [this, reply] { replyFinished(reply); });
    // The transfer time-out only counts silence; this one bounds the whole
    // fetch, so a server that trickles bytes cannot hold the banner either.
    deadline_.start(timeoutMs_);
    return true;
}

void SponsorBanner::readReply() {
    if (!reply_ || oversized_) {
        return;
    }
    body_.append(reply_->readAll());
    if (body_.size() > kMaxPictureBytes) {
        oversized_ = true;
        body_.clear();
        reply_->abort();
    }
}

void SponsorBanner::replyFinished(QNetworkReply* reply) {
    reply->deleteLater();
    if (reply != reply_) {
        return;
    }
    deadline_.stop();
    bool fetched = false;
    if (!oversized_ && reply->error() == QNetworkReply::NoError) {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        body_.append(reply->readAll());
        // An empty answer is no picture: the last one stays.
        fetched =
            status >= 200 && status < 300 && !body_.isEmpty() && body_.size() <= kMaxPictureBytes;
    }
    reply_.clear();
    finishTick(pendingIndex_, fetched);
}

void SponsorBanner::finishTick(int iIndex, bool fetched) {
    if (fetched) {
        state_.BannerBytes = body_;
    }
    body_.clear();
    const QString picture = programFile(QStringLiteral("B.g"));
    // The banner is decoration: a picture that cannot be kept is no error.
    if (!state_.BannerBytes.isEmpty()) writeFileAtomically(picture, state_.BannerBytes);
    // A failed fetch leaves the earlier picture on show, and with it the
    // earlier banner number, so a click opens the link of what is seen.
    if (fetched) {
        state_.BannerIndex = static_cast<qint16>(iIndex);
    }
    emit showPicture(picture);
    emit tickFinished();
}

void SponsorBanner::cancel() {
    deadline_.stop();
    if (QNetworkReply* reply = reply_) {
        reply_.clear();
        body_.clear();
        // Nothing of this fetch may reach the banner any more, not even the
        // finished() that abort() sends.
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void SponsorBanner::openCurrentLink() {
    const int index = state_.BannerIndex;
    if (index >= 1 && index <= kBannerSlots) {
        openAddress(state_.BannerLinks[static_cast<std::size_t>(index)]);
    }
}

void SponsorBanner::openProductPage() {
    openAddress(productPageAddress());
}

void SponsorBanner::openAddress(const QString& sAddress) {
    const QUrl url(sAddress);
    if (isWebAddress(url)) {
        opener_(url);
    }
}

}  // namespace sopaly
