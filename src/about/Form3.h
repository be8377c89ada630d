#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QLabel;
class QMovie;

namespace sopaly {

// The about window: borderless and black, it plays the short movie once and
// thanks the user. A click on its background or on either text closes it and
// hands over to the main window; a click on the movie does not. Escape,
// Enter and Space do what the click does, so the keyboard never stays here.
class Form3 : public QWidget {
    Q_OBJECT

  public:
    // onContinue runs after the window has closed; it brings up the main
    // window (a fresh one if the user closed it meanwhile).
    Form3(const QString& programFolder, std::function<void()> onContinue,
          QWidget* parent = nullptr);

    // The movie on show, or null when the movie file could not be played.
    QMovie* movie() const { return movie_; }
    // How often the movie has been started; showing the window again while
    // it is open must not start it over.
    int movieStarts() const { return movieStarts_; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load(const QString& programFolder);
    void Form_Click();
    void Label1_Click();
    void Label2_Click();
    void ContinueToMain();
    // A click is a left press and release on the same control.
    bool completesClick(QObject* control, QEvent* event);

    std::function<void()> onContinue_;
    QLabel* Label1;
    QLabel* flash;
    QLabel* Label2;
    QMovie* movie_ = nullptr;
    int movieStarts_ = 0;
    QObject* pressedOn_ = nullptr;
};

}  // namespace sopaly
