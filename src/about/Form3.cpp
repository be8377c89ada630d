#include "Form3.h"

#include <QBuffer>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QMovie>
#include <QPalette>

#include "CheckedRead.h"
#include "Twips.h"

namespace sopaly {

namespace {

using twips::toPixels;

QLabel* whiteLabel(const QString& sCaption, QWidget* parent) {
    auto* label = new QLabel(sCaption, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    // The about window's captions wrap inside their box from its top-left corner.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

}  // namespace

Form3::Form3(const QString& programFolder, std::function<void()> onContinue, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      onContinue_(std::move(onContinue)),
      Label1(
          whiteLabel(QCoreApplication::translate("Form3", "Gracias por elegir Sopaly!!!"), this)),
      flash(new QLabel(this)),
      Label2(whiteLabel(QCoreApplication::translate("Form3", "Click para continuar..."), this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QCoreApplication::translate("Form3", "ddddddd"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);
    // The window's default font, which Label2 takes: the design's system
    // font, 8.25 points; "Click para continuar..." was sized to it.
    QFont design(QStringLiteral("MS Sans Serif"));
    design.setStyleHint(QFont::SansSerif);
    design.setPointSizeF(8.25);
    setFont(design);
    const QRect place = toPixels(3330, 2040, 6150, 5040);
    setFixedSize(place.size());
    move(place.topLeft());

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(toPixels(720, 240, 4935, 855));
    QFont big(QStringLiteral("MS Sans Serif"), 18);
    big.setStyleHint(QFont::SansSerif);
    Label1->setFont(big);

    flash->setObjectName(QStringLiteral("flash"));
    // A screen reader names the movie; the captions read as they are.
    flash->setAccessibleName(QCoreApplication::translate("Form3", "Animación de Sopaly"));
    flash->setGeometry(toPixels(240, 840, 5655, 3855));
    flash->setAlignment(Qt::AlignCenter);
    // Clicks on the movie belong to the player, not to the window behind it.
    flash->setAttribute(Qt::WA_NoMousePropagation);

    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(toPixels(4440, 4800, 1695, 255));

    Label1->installEventFilter(this);
    Label2->installEventFilter(this);

    Form_Load(programFolder);
}

void Form3::Form_Load(const QString& programFolder) {
    const CheckedBytes file = readRegularFile(
        QDir(programFolder).filePath(QStringLiteral("bovedal.swf")), kLargestPictureFile);
    if (!file.ok()) return;
    // The file's own size, before the first frame is decoded, so that every
    // frame comes out scaled alike.
    QBuffer probeBytes;
    probeBytes.setData(file.bytes);
    probeBytes.open(QIODevice::ReadOnly);
    const QSize natural = QImageReader(&probeBytes).size();
    auto* movie = new QMovie(this);
    auto* bytes = new QBuffer(movie);
    bytes->setData(file.bytes);
    bytes->open(QIODevice::ReadOnly);
    movie->setDevice(bytes);
    if (!movie->isValid() || natural.isEmpty()) {
        delete movie;
        return;
    }
    movie->setScaledSize(natural.scaled(flash->size(), Qt::KeepAspectRatio));
    connect(movie, &QMovie::started, this, [this] { ++movieStarts_; });
    // Looping is off whatever the file says: the movie halts on its last frame.
    connect(movie, &QMovie::frameChanged, this, [movie](int iFrame) {
        const int frames = movie->frameCount();
        if (frames > 0 && iFrame >= frames - 1) {
            movie->stop();
        }
    });
    movie_ = movie;
    flash->setMovie(movie);
    movie->start();
}

bool Form3::completesClick(QObject* control, QEvent* event) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) {
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        pressedOn_ = control;
        return false;
    }
    const bool click = pressedOn_ == control && control->isWidgetType() &&
                       static_cast<QWidget*>(control)->rect().contains(mouse->position().toPoint());
    pressedOn_ = nullptr;
    return click;
}

void Form3::mousePressEvent(QMouseEvent* event) {
    completesClick(this, event);
}

void Form3::mouseReleaseEvent(QMouseEvent* event) {
    if (completesClick(this, event)) {
        Form_Click();
    }
}

void Form3::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            ContinueToMain();
            return;
        default:
            break;
    }
    QWidget::keyPressEvent(event);
}

bool Form3::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((watched == Label1 || watched == Label2) &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease)) {
        if (completesClick(watched, event)) {
            watched == Label1 ? Label1_Click() : Label2_Click();
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form3::closeEvent(QCloseEvent* event) {
    if (movie_) {
        movie_->stop();
    }
    QWidget::closeEvent(event);
}

void Form3::Form_Click() {
    ContinueToMain();
}

void Form3::Label1_Click() {
    ContinueToMain();
}

void Form3::Label2_Click() {
    ContinueToMain();
}

void Form3::ContinueToMain() {
    // Closing schedules this window's deletion, so keep the hand-over apart.
    const std::function<void()> next = onContinue_;
    close();
    if (next) {
        next();
    }
}

}  // namespace sopaly
