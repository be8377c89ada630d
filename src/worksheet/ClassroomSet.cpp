#include "ClassroomSet.h"

#include <algorithm>

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
        Puzzle puzzle;
        // The finishing step may build the puzzle again: its placements are the key.
        buildFinishedPuzzle(puzzle, pool, settings_, random_);
        set.push_back(worksheetPuzzle(versionTitle(name, k), puzzle, puzzle.Placements, settings_));
        if (progress && !progress(k, steps(versions))) return std::nullopt;
    }
    return set;
}

std::optional<QByteArray> ClassroomSet::pdf(int versions, const QString& name,
                                            const QPageSize& pageSize, const Progress& progress,
                                            int* withoutMessage) const {
    const auto set = build(versions, name, progress);
    if (!set) return std::nullopt;
    if (withoutMessage) {
        const bool asked = !messageLetters(settings_.message).empty();
        *withoutMessage = static_cast<int>(
            std::count_if(set->cbegin(), set->cend(), [asked](const WorksheetPuzzle& version) {
                return asked && version.message.isEmpty();
            }));
    }
    bool cancelled = false;
    QByteArray bytes = worksheetPdf(*set, pageSize, name, [&](int pagesDone) {
        cancelled = progress && !progress(versions + pagesDone, steps(versions));
        return !cancelled;
    });
    if (cancelled) return std::nullopt;
    return bytes;
}

}  // namespace sopaly
