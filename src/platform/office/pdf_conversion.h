// PDF conversion through the office suite run headless (soffice --headless --convert-to pdf).
//
// Every call runs in its own profile folder, so it never hands its work to an office window the user
// has open and two conversions never share a profile. A call has a time limit after which the whole
// process group is killed. A file counts as converted only when its PDF appeared and starts like a PDF:
// the office program exits with 0 also when it could not read a file. A call takes seconds, so
// callers with several files pass them together, and windows use the asynchronous form.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QProcess;

namespace lirma::office {

struct ConversionOptions {
    // Folder of the PDFs; empty: beside each input file.
    QString outputFolder;
    // Whole time allowed to one office call, in milliseconds; 0: a limit that grows with the number of
    // files (DefaultTimeLimitMs).
    int timeLimitMs = 0;
    // Office program; empty: OfficeProgram().
    QString program;
};

struct ConversionResult {
    // Parallel to the inputs: the PDF made from each, "" for a file that was not converted.
    QStringList pdfs;
    // Why something was not converted ("" when every file was).
    QString error;

    bool ok() const { return error.isEmpty() && !pdfs.isEmpty() && !pdfs.contains(QString()); }
};

// The office program: the environment variable LIRMA_SOFFICE when set, otherwise "soffice" from PATH.
QString OfficeProgram();

// Time limit of one call converting `files` files.
int DefaultTimeLimitMs(int files);

// Converts the files to PDF, blocking until done (tests, the command line, callers without a window).
// Inputs in different folders, or with the same base name, take one call per group.
ConversionResult ConvertToPdf(const QStringList& inputs, const ConversionOptions& options = {});

// The same without blocking the window: start() returns at once, finished() arrives from the event loop.
// One conversion at a time per object; start() while running is refused (false).
class PdfConversion : public QObject {
    Q_OBJECT
public:
    explicit PdfConversion(QObject* parent = nullptr);
    ~PdfConversion() override;

    bool start(const QStringList& inputs, const ConversionOptions& options = {});
    bool isRunning() const;
    const ConversionResult& result() const { return result_; }

signals:
    void finished(const lirma::office::ConversionResult& result);

private:
    struct Run;
    void startNextCall();
    void callEnded(bool timedOut);

    std::unique_ptr<Run> run_;
    ConversionResult result_;
};

} // namespace lirma::office
