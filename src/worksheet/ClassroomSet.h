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
    // Told after each step, with how many steps of the total are done:
    // building each version, then drawing each page. Returning false
    // cancels the set.
    using Progress = std::function<bool(int done, int total)>;

    static constexpr int kFewestVersions = kClassroomVersionsSetting.lowest;
    static constexpr int kMostVersions = kClassroomVersionsSetting.highest;
    static constexpr int kDefaultVersions = kClassroomVersionsSetting.designValue;

    ClassroomSet(QStringList list, PuzzleSettings settings, Random& random);

    // Builds `versions` finished puzzles titled "<name> — versión k".
    // Nothing when the progress callback cancelled.
    std::optional<std::vector<WorksheetPuzzle>> build(int versions, const QString& name,
                                                      const Progress& progress = {}) const;

    // One version of the set, built and finished, from the list's pool
    // ("SORT" of the list, made once for the whole set).
    WorksheetPuzzle version(const QStringList& pool, const QString& title) const;
    const QStringList& list() const { return list_; }

    // How many steps a set of `versions` takes: one a version, one a page.
    static int steps(int versions) { return 3 * versions; }

    // The title of version k of a set named `name`.
    static QString versionTitle(const QString& name, int version);

    // The whole set as one PDF: the worksheets of versions 1 to N, then their
    // answer keys in the same order. Nothing when cancelled; empty bytes
    // when the PDF could not be made.
    std::optional<QByteArray> pdf(int versions, const QString& name, const QPageSize& pageSize,
                                  const Progress& progress = {}) const;

  private:
    QStringList list_;
    PuzzleSettings settings_;
    Random& random_;
};

}  // namespace sopaly
