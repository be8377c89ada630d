#pragma once

#include <QPageSize>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "Puzzle.h"
#include "Random.h"
#include "Worksheet.h"

namespace sopaly {

// A different version of one puzzle for each pupil: every version is built
// from the same list and settings on the road of the start button and the
// finishing step, each with its own puzzle state, so that nothing the main
// window shows or keeps is touched.
class ClassroomSet {
  public:
    static constexpr int kFewestVersions = kClassroomVersionsSetting.lowest;
    static constexpr int kMostVersions = kClassroomVersionsSetting.highest;
    static constexpr int kDefaultVersions = kClassroomVersionsSetting.designValue;

    ClassroomSet(QStringList list, PuzzleSettings settings, Random& random);

    // One version of the set, built and finished (built again, a few times,
    // when its grid had no room for the message), from the list's pool
    // ("SORT" of the list, made once for the whole set).
    WorksheetPuzzle version(const QStringList& pool, const QString& title) const;
    const QStringList& list() const { return list_; }
    // Whether a version holds no secret message though one was asked for.
    bool lacksMessage(const WorksheetPuzzle& version) const;

    // How many steps a set of `versions` takes: one a version, one a page.
    static int steps(int versions) { return 3 * versions; }

    // The title of version k of a set named `name`.
    static QString versionTitle(const QString& name, int version);

  private:
    QStringList list_;
    PuzzleSettings settings_;
    Random& random_;
};

}  // namespace sopaly
