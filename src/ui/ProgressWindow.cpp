#include "ProgressWindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "ClassroomRun.h"

namespace sopaly {

ProgressWindow::ProgressWindow(const QString& caption, const QString& text, QWidget* parent)
    : QDialog(parent), bar_(new QProgressBar(this)) {
    setWindowTitle(caption);
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(text, this));
    layout->addWidget(bar_);
    auto* cancel = new QPushButton(tr("Cancelar"), this);
    layout->addWidget(cancel, 0, Qt::AlignRight);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<QByteArray> ProgressWindow::exec(ClassroomRun& run) {
    bar_->setRange(0, run.steps());
    bar_->setValue(0);
    std::optional<QByteArray> pdf;
    connect(&run, &ClassroomRun::progressed, bar_, &QProgressBar::setValue);
    connect(&run, &ClassroomRun::finished, this, [this, &pdf](const QByteArray& bytes) {
        pdf = bytes;
        accept();
    });
    run.start();
    if (QDialog::exec() != QDialog::Accepted) run.cancel();
    return pdf;
}

}  // namespace sopaly
