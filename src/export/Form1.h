#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>

class QPagedPaintDevice;
class QPrinter;
class QPushButton;
class QTextDocument;
class QTextEdit;

namespace sopaly {

// The print preview: the puzzle's name, its grid and the numbered words,
// laid out as they print. The text is built once, when the window is made,
// from the values it is given; closing the window deletes it, so the next
// opening builds the text anew.
class Form1 : public QWidget {
    Q_OBJECT
  public:
    // The printer to print on; nothing when there is none.
    using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;
    // Tells the user about a failure.
    using MessageSink = std::function<void(const QString&)>;
    // Asks where to save the PDF; an empty path when the user cancels.
    using SaveFileChooser = std::function<QString(QWidget* parent)>;

    Form1(const QString& puzzleName, const QString& displayText, const QStringList& words,
          QWidget* parent = nullptr);
    ~Form1() override;

    void setPrinterFactory(PrinterFactory factory);
    void setMessageSink(MessageSink sink);
    void setSaveFileChooser(SaveFileChooser chooser);
    // A grid still waiting for its fill shows its "." and prints, but is
    // no page to keep: "Guardar PDF" is greyed until it is finished.
    void setGridFinished(bool finished);

    // The system's default printer, or nothing when it has none (Qt would
    // print nothing and say nothing then).
    static std::unique_ptr<QPrinter> defaultPrinter();

    QTextEdit* rtf = nullptr;
    QPushButton* Command1 = nullptr;  // "&Cerrar"
    QPushButton* Command2 = nullptr;  // "&Imprimir"
    QPushButton* Command3 = nullptr;  // "&Guardar PDF"

  public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void setupWidgets();
    void Form_Load(const QString& puzzleName, const QString& displayText, const QStringList& words);
    // What a print takes: the selected part of the text when there is one,
    // else all of it.
    std::unique_ptr<QTextDocument> pageDocument() const;
    // Lays that out on the device's pages and paints it.
    void paintPage(QPagedPaintDevice& device) const;
    // Prints that as one job; false when the job failed.
    bool printPage(QPrinter& printer) const;
    // The page as a complete PDF document.
    QByteArray pdfBytes() const;
    QString documentName() const;
    void tell(const QString& text) const;

    PrinterFactory printerFactory_;
    MessageSink messageSink_;
    SaveFileChooser saveFileChooser_;
    QString puzzleName_;
    bool centred_ = false;
};

}  // namespace sopaly
