#pragma once

#include <QByteArray>
#include <QDialog>
#include <optional>

class QProgressBar;

namespace sopaly {

class ClassroomRun;

// The window that follows a classroom set while it is made: a bar and
// "Cancelar". The set runs in the window's own modal loop, a step at each
// turn, so the window paints and answers between two steps.
class ProgressWindow : public QDialog {
    Q_OBJECT
  public:
    ProgressWindow(const QString& caption, const QString& text, QWidget* parent);

    QProgressBar* bar() const { return bar_; }

    // Runs `run` to its end: the set's PDF (empty when it could not be
    // made), or nothing when the user cancelled.
    std::optional<QByteArray> exec(ClassroomRun& run);

  private:
    QProgressBar* bar_;
};

}  // namespace sopaly
