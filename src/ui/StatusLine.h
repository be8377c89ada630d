#pragma once

#include <QStringList>
#include <QWidget>

namespace sopaly {

// The status line at the foot of the main window. Its text wraps between
// words onto up to three lines; what does not fit ends in "…", and the
// tooltip holds the whole text. The window grows by the lines it takes
// beyond the first, so that the client area above keeps its size. A screen
// reader reads it as a status bar whose name is the whole text, told of
// each change.
class StatusLine : public QWidget {
    Q_OBJECT
    // The lines as shown, the last one cut with "…" when the text goes on.
    Q_PROPERTY(QStringList shownLines READ shownLines)
  public:
    static constexpr int kMostLines = 3;

    explicit StatusLine(QWidget* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    // Tells where a file was just saved, after the text set last; a later
    // save's sentence takes its place.
    // Adds "<what> <path>." to the text as last set, in place of the
    // sentence of an earlier save: "Hoja guardada en /home/ana/sopa.pdf."
    void addSavedFile(const QString& what, const QString& path);
    // The text as last set, without the sentence of a save added since.
    QString textBeforeSaved() const { return beforeSaved_; }
    void clear() { setText(QString()); }
    QStringList shownLines() const { return lines_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Lays the text out at the present width and fits the window to it.
    void relayout();
    void fitWindow();
    int heightFor(int lines) const;

    QString text_;
    QString beforeSaved_;  // the text set last, without a saved sentence
    QStringList lines_;
    // How much taller than its design the window was made for the lines.
    int grownBy_ = 0;
};

}  // namespace sopaly
