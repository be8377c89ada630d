#pragma once

#include <QByteArray>
#include <QObject>
#include <QPageSize>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

#include "ClassroomSet.h"

namespace sopaly {

class WorksheetPdfMaker;

// A classroom set made one step at each turn of the event loop (a version
// built, or a page drawn), so that a progress window stays alive and its
// Cancel button answers without the set ever spinning the loop itself.
class ClassroomRun : public QObject {
    Q_OBJECT
  public:
    ClassroomRun(ClassroomSet set, int versions, QString name, QPageSize pageSize,
                 QObject* parent = nullptr);
    ~ClassroomRun() override;

    int steps() const { return ClassroomSet::steps(versions_); }
    // The versions that hold no secret message though one was asked for.
    int withoutMessage() const { return withoutMessage_; }
    void start();
    // Stops at once; finished() is not told.
    void cancel();

  signals:
    void progressed(int done, int total);
    // The whole set as one PDF; empty bytes when the PDF could not be made.
    void finished(const QByteArray& pdf);

  private:
    void step();

    ClassroomSet set_;
    int versions_;
    QString name_;
    QPageSize pageSize_;
    QStringList pool_;
    std::vector<WorksheetPuzzle> built_;
    std::unique_ptr<WorksheetPdfMaker> pdf_;
    int done_ = 0;
    int withoutMessage_ = 0;
    QTimer stepTimer_;
};

}  // namespace sopaly
