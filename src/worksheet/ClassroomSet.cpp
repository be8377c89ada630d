#include "ClassroomSet.h"

#include "WordList.h"

namespace sopaly {

ClassroomSet::ClassroomSet(QStringList list, PuzzleSettings settings, Random& random)
    : list_(std::move(list)), settings_(std::move(settings)), random_(random) {}

QString ClassroomSet::versionTitle(const QString& name, int version) {
    const QString versionText = QStringLiteral("versión %1").arg(version);
    return name.isEmpty() ? versionText : name + QStringLiteral(" — ") + versionText;
}

std::optional<std::vector<WorksheetPuzzle>> ClassroomSet::build(int versions, const QString& name,
                                                                const Progress& progress) const {
    std::vector<WorksheetPuzzle> set;
    set.reserve(static_cast<std::size_t>(std::max(versions, 0)));
    // "SORT" gives the same pool every time; it is made once.
    const QStringList pool = sortIntoPool(list_);
    for (int k = 1; k <= versions; ++k) {
        set.push_back(version(pool, versionTitle(name, k)));
        if (progress && !progress(k, steps(versions))) return std::nullopt;
    }
    return set;
}

WorksheetPuzzle ClassroomSet::version(const QStringList& pool, const QString& title) const {
    Puzzle puzzle;
    buildPuzzle(puzzle, pool, settings_, random_);
    // The finishing step may build the puzzle again: its placements are the key.
    ShowFinishedWord(puzzle, settings_, random_);
    return worksheetPuzzle(title, puzzle, puzzle.Placements, settings_);
}

std::optional<QByteArray> ClassroomSet::pdf(int versions, const QString& name,
                                            const QPageSize& pageSize,
                                            const Progress& progress) const {
    const auto set = build(versions, name, progress);
    if (!set) return std::nullopt;
    bool cancelled = false;
    QByteArray bytes = worksheetPdf(*set, pageSize, name, [&](int pagesDone) {
        cancelled = progress && !progress(versions + pagesDone, steps(versions));
        return !cancelled;
    });
    if (cancelled) return std::nullopt;
    return bytes;
}

}  // namespace sopaly
