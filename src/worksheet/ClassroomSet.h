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

    static constexpr int kFewestVersions = 1;
    static constexpr int kMostVersions = 200;
    static constexpr int kDefaultVersions = 30;

    ClassroomSet(QStringList list, PuzzleSettings settings, Random& random);

    // Builds `versions` finished puzzles titled "<name> — versión k", each
    // built again, a few times, when its grid had no room for the message.
    // Nothing when the progress callback cancelled.
    std::optional<std::vector<WorksheetPuzzle>> build(int versions, const QString& name,
                                                      const Progress& progress = {}) const;

    // How many steps a set of `versions` takes: one a version, one a page.
    static int steps(int versions) { return 3 * versions; }

    // The title of version k of a set named `name`.
    static QString versionTitle(const QString& name, int version);

    // The whole set as one PDF: the worksheets of versions 1 to N, then their
    // answer keys in the same order. Nothing when cancelled; empty bytes
    // when the PDF could not be made. `withoutMessage`, if given, receives
    // how many versions still hold no secret message though one was asked for.
    std::optional<QByteArray> pdf(int versions, const QString& name, const QPageSize& pageSize,
                                  const Progress& progress = {},
                                  int* withoutMessage = nullptr) const;

  private:
    QStringList list_;
    PuzzleSettings settings_;
    Random& random_;
};

}  // namespace sopaly
