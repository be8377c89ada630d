#include "Form1.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTextFrame>

#include "Preview.h"
#include "SafeWrite.h"
#include "Settings.h"
#include "Twips.h"

namespace sopaly {

namespace {

using twips::toPixels;

QString caption() {
    return QCoreApplication::translate("Form1", "Imprimir Rompecabezas");
}

}  // namespace

Form1::Form1(const QString& puzzleName, const QString& displayText, const QStringList& words,
             QWidget* parent)
    : QWidget(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      prompts(dialogPrompts(this, caption())),
      printerFactory_(&Form1::defaultPrinter),
      puzzleName_(puzzleName) {
    setAttribute(Qt::WA_DeleteOnClose);
    setupWidgets();
    Form_Load(puzzleName, displayText, words);
}

Form1::~Form1() = default;

void Form1::setupWidgets() {
    setWindowTitle(caption());
    setFixedSize(toPixels(9315), toPixels(7935));

    rtf = new QTextEdit(this);
    rtf->setObjectName(QStringLiteral("rtf"));
    rtf->setGeometry(toPixels(240, 240, 8775, 7335));
    rtf->setAcceptRichText(false);
    rtf->setTabChangesFocus(true);
    QFont font(QStringLiteral("Courier"), 12, QFont::Bold);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    rtf->setFont(font);

    Command1 = new QPushButton(QCoreApplication::translate("Form1", "&Cerrar"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(toPixels(7560, 7680, 1455, 255));

    Command2 = new QPushButton(QCoreApplication::translate("Form1", "&Imprimir"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(toPixels(240, 7680, 1455, 255));

    // Midway between the other two: its left edge is the middle of the gap
    // between them, less half its width.
    Command3 = new QPushButton(QCoreApplication::translate("Form1", "&Guardar PDF"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setGeometry(toPixels((240 + 1455 + 7560) / 2 - 1455 / 2, 7680, 1455, 255));

    setTabOrder(rtf, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
}

void Form1::Form_Load(const QString& puzzleName, const QString& displayText,
                      const QStringList& words) {
    // The alignment goes in first, so that every paragraph the text opens
    // takes it.
    QTextCursor cursor(rtf->document());
    QTextBlockFormat centred = cursor.blockFormat();
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    cursor.insertText(previewText(puzzleName, displayText, words));
    rtf->moveCursor(QTextCursor::Start);
}

void Form1::setPrinterFactory(PrinterFactory factory) {
    printerFactory_ = std::move(factory);
}
void Form1::setGridFinished(bool finished) {
    Command3->setEnabled(finished);
}

std::unique_ptr<QPrinter> Form1::defaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return nullptr;
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (centred_ || event->spontaneous()) return;
    centred_ = true;
    if (const QScreen* where = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(where->geometry().center());
        move(frame.topLeft());
    }
}

std::unique_ptr<QTextDocument> Form1::pageDocument() const {
    const QTextDocument* source = rtf->document();
    const QTextCursor selection = rtf->textCursor();
    if (!selection.hasSelection()) return std::unique_ptr<QTextDocument>(source->clone());

    auto page = std::make_unique<QTextDocument>();
    page->setDefaultFont(source->defaultFont());
    page->setDefaultTextOption(source->defaultTextOption());
    page->setUseDesignMetrics(source->useDesignMetrics());
    QTextCursor(page.get()).insertFragment(selection.selection());
    // The fragment brings no paragraph format for its first piece; give it
    // the one of the paragraph it came from.
    QTextCursor(page->begin())
        .setBlockFormat(source->findBlock(selection.selectionStart()).blockFormat());
    return page;
}

void Form1::paintPage(QPagedPaintDevice& device) const {
    const std::unique_ptr<QTextDocument> page = pageDocument();
    // Laid out at the device's resolution on pages of its size, so that Qt
    // prints the text as it stands: a document that Qt has to lay out itself
    // gets page numbers, and the puzzle page has none.
    page->documentLayout()->setPaintDevice(&device);
    page->setPageSize(QSizeF(device.width(), device.height()));
    // Margins of 2 cm. The layout takes frame margins in the screen's units
    // and scales them to the device, as it does for the preview on screen.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double screenDpi = screen ? qRound(screen->logicalDotsPerInchY()) : 96.0;
    QTextFrameFormat frame = page->rootFrame()->frameFormat();
    frame.setMargin(2 / 2.54 * screenDpi);
    page->rootFrame()->setFrameFormat(frame);
    page->print(&device);
}

bool Form1::printPage(QPrinter& printer) const {
    printer.setDocName(documentName());
    paintPage(printer);
    // A job that could not start leaves the printer in its error state.
    const QPrinter::PrinterState state = printer.printerState();
    return state != QPrinter::Error && state != QPrinter::Aborted;
}

QByteArray Form1::pdfBytes() const {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        // The default printer's paper when there is one, as a print would
        // take; the writer completes the document when it goes.
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setTitle(documentName());
        writer.setCreator(QStringLiteral("Sopaly"));
        const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
        writer.setPageSize(printer.isNull() ? QPageSize(QPageSize::A4) : printer.defaultPageSize());
        paintPage(writer);
    }
    return buffer.data();
}

QString Form1::documentName() const {
    return puzzleName_.isEmpty() ? caption() : puzzleName_;
}

void Form1::tell(const QString& text) const {
    if (prompts.showMessage) prompts.showMessage(text);
}

void Form1::Command1_Click() {
    close();
}

void Form1::Command2_Click() {
    const std::unique_ptr<QPrinter> printer = printerFactory_ ? printerFactory_() : nullptr;
    if (!printer || !printer->isValid()) {
        tell(QCoreApplication::translate(
            "Form1", "No hay ninguna impresora predeterminada: el rompecabezas no se imprimió."));
        return;
    }
    if (!printPage(*printer)) {
        const QString where = printer->outputFileName().isEmpty() ? printer->printerName()
                                                                  : printer->outputFileName();
        tell(QCoreApplication::translate("Form1", "No se pudo imprimir el rompecabezas en «%1».")
                 .arg(where));
    }
}

void Form1::Command3_Click() {
    Settings settings;
    const QString suggested =
        QDir(fileDialogFolder(settings, FileDialog::PreviewPdf))
            .filePath(suggestedFileName(puzzleName_, QStringLiteral("Rompecabezas"),
                                        QStringLiteral(".pdf")));
    QString path =
        prompts.chooseSaveFile(QCoreApplication::translate("Form1", "Guardar PDF"), suggested);
    if (path.isEmpty()) return;
    if (const auto failure = rememberFileDialogChoice(settings, FileDialog::PreviewPdf, path)) {
        tell(*failure);
    }
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    // Made whole in memory first: a full disk then leaves the earlier file,
    // never a PDF without its end that no reader opens.
    QString reason;
    if (!writeFileAtomically(path, pdfBytes(), &reason, Durability::Durable)) {
        tell(writeFailureMessage(path, reason));
    }
}

}  // namespace sopaly
