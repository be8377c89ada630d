#include "ClassroomRun.h"

#include "WordList.h"
#include "Worksheet.h"

namespace sopaly {

ClassroomRun::ClassroomRun(ClassroomSet set, int versions, QString name, QPageSize pageSize,
                           QObject* parent)
    : QObject(parent),
      set_(std::move(set)),
      versions_(versions),
      name_(std::move(name)),
      pageSize_(std::move(pageSize)) {
    stepTimer_.setInterval(0);
    connect(&stepTimer_, &QTimer::timeout, this, &ClassroomRun::step);
}

ClassroomRun::~ClassroomRun() = default;

void ClassroomRun::start() {
    // "SORT" gives the same pool every time; it is made once.
    pool_ = sortIntoPool(set_.list());
    built_.reserve(static_cast<std::size_t>(versions_));
    stepTimer_.start();
}

void ClassroomRun::cancel() {
    stepTimer_.stop();
}

void ClassroomRun::step() {
    // Each version is built, then each page drawn: the worksheets of
    // versions 1 to N, then their keys in the same order.
    if (!pdf_) {
        const int k = static_cast<int>(built_.size()) + 1;
        built_.push_back(set_.version(pool_, ClassroomSet::versionTitle(name_, k)));
        withoutMessage_ += set_.lacksMessage(built_.back()) ? 1 : 0;
        if (k == versions_) {
            pdf_ = std::make_unique<WorksheetPdfMaker>(std::move(built_), pageSize_, name_);
        }
    } else if (!pdf_->drawNextPage()) {
        stepTimer_.stop();
        emit finished(QByteArray());
        return;
    }
    ++done_;
    emit progressed(done_, steps());
    if (pdf_ && pdf_->pagesDone() == pdf_->pages()) {
        stepTimer_.stop();
        emit finished(pdf_->finish());
    }
}

}  // namespace sopaly
