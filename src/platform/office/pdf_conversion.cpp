#include "platform/office/pdf_conversion.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <vector>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

namespace lirma::office {

namespace {

// One office call: files of one output folder with distinct base names.
struct Call {
    QString outputFolder;
    QStringList inputs;
    std::vector<int> indexes; // positions in the caller's list
    QStringList pdfs;         // expected PDF of each input
};

QString pdfNameOf(const QString& input, const QString& folder)
{
    return QDir(folder).filePath(QFileInfo(input).completeBaseName() + QStringLiteral(".pdf"));
}

void addError(ConversionResult& result, const QString& error)
{
    if (!result.error.contains(error))
        result.error += (result.error.isEmpty() ? QString() : QStringLiteral("; ")) + error;
}

// Splits the inputs into calls; files that cannot take part are marked failed at once.
std::vector<Call> plan(const QStringList& inputs, const ConversionOptions& options, ConversionResult& result)
{
    result = {};
    for (int i = 0; i < inputs.size(); ++i)
        result.pdfs << QString();
    if (inputs.isEmpty())
        result.error = QStringLiteral("no file to convert");
    std::vector<Call> calls;
    for (int i = 0; i < inputs.size(); ++i) {
        const QFileInfo info(inputs[i]);
        if (!info.isFile()) {
            addError(result, QStringLiteral("%1 does not exist").arg(inputs[i]));
            continue;
        }
        const QString folder = QDir::cleanPath(
            options.outputFolder.isEmpty() ? info.absolutePath() : QFileInfo(options.outputFolder).absoluteFilePath());
        const QString pdf = pdfNameOf(info.absoluteFilePath(), folder);
        // A PDF left from an earlier run must not pass for this one.
        if (QFileInfo::exists(pdf) && !QFile::remove(pdf)) {
            addError(result, QStringLiteral("%1 cannot be replaced").arg(pdf));
            continue;
        }
        Call* target = nullptr;
        for (Call& call : calls) {
            if (call.outputFolder == folder && !call.pdfs.contains(pdf, Qt::CaseInsensitive)) {
                target = &call;
                break;
            }
        }
        if (!target) {
            calls.push_back({folder, {}, {}, {}});
            target = &calls.back();
        }
        target->inputs << info.absoluteFilePath();
        target->indexes.push_back(i);
        target->pdfs << pdf;
    }
    return calls;
}

bool looksLikePdf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(5) == "%PDF-";
}

// True when every file of the call gave its PDF.
bool collect(const Call& call, ConversionResult& result)
{
    bool all = true;
    for (size_t k = 0; k < call.indexes.size(); ++k) {
        const QString& pdf = call.pdfs[int(k)];
        if (looksLikePdf(pdf))
            result.pdfs[call.indexes[k]] = pdf;
        else {
            addError(result, QStringLiteral("no PDF was made from %1").arg(call.inputs[int(k)]));
            all = false;
        }
    }
    return all;
}

void prepare(QProcess& process, const Call& call, const QString& program, const QTemporaryDir& profile)
{
    QStringList args;
    args << QStringLiteral("-env:UserInstallation=") + QUrl::fromLocalFile(profile.path()).toString()
         << QStringLiteral("--headless") << QStringLiteral("--invisible") << QStringLiteral("--nologo")
         << QStringLiteral("--norestore") << QStringLiteral("--nodefault")
         << QStringLiteral("--convert-to") << QStringLiteral("pdf")
         << QStringLiteral("--outdir") << call.outputFolder;
    args << call.inputs;
    process.setProgram(program);
    process.setArguments(args);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
#ifdef Q_OS_UNIX
    // Its own process group, so that the time limit ends the office program with every helper it started.
    process.setChildProcessModifier([] { ::setsid(); });
#endif
}

void killAll(QProcess& process)
{
#ifdef Q_OS_UNIX
    const qint64 pid = process.processId();
    if (pid > 0)
        ::kill(-pid_t(pid), SIGKILL);
#endif
    process.kill();
}

QString programOf(const ConversionOptions& options)
{
    return options.program.isEmpty() ? OfficeProgram() : options.program;
}

int limitOf(const ConversionOptions& options, const Call& call)
{
    return options.timeLimitMs > 0 ? options.timeLimitMs : DefaultTimeLimitMs(int(call.inputs.size()));
}

QString failureOf(QProcess& process, bool timedOut, int limitMs)
{
    if (timedOut)
        return QStringLiteral("the office program did not finish within %1 s").arg(limitMs / 1000.0);
    if (process.error() == QProcess::FailedToStart)
        return QStringLiteral("the office program %1 could not be started").arg(process.program());
    if (process.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("the office program stopped abnormally");
    if (process.exitCode() != 0)
        return QStringLiteral("the office program ended with code %1").arg(process.exitCode());
    return {};
}

} // namespace

QString OfficeProgram()
{
    const QString configured = qEnvironmentVariable("LIRMA_SOFFICE");
    if (!configured.isEmpty())
        return configured;
    const QString found = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    return found.isEmpty() ? QStringLiteral("soffice") : found;
}

int DefaultTimeLimitMs(int files)
{
    // Starting the program with a fresh profile takes a few seconds; each file a few more.
    return 60000 + 15000 * qMax(files, 1);
}

ConversionResult ConvertToPdf(const QStringList& inputs, const ConversionOptions& options)
{
    ConversionResult result;
    const std::vector<Call> calls = plan(inputs, options, result);
    for (const Call& call : calls) {
        QTemporaryDir profile(QDir::tempPath() + QStringLiteral("/lirma-office-XXXXXX"));
        if (!profile.isValid()) {
            addError(result, QStringLiteral("no profile folder for the office program"));
            continue;
        }
        QProcess process;
        prepare(process, call, programOf(options), profile);
        const int limit = limitOf(options, call);
        process.start();
        bool timedOut = false;
        if (process.waitForStarted(limit) && !process.waitForFinished(limit)) {
            timedOut = process.state() != QProcess::NotRunning;
            if (timedOut) {
                killAll(process);
                process.waitForFinished(5000);
            }
        }
        const QString failure = failureOf(process, timedOut, limit);
        if (!collect(call, result) && !failure.isEmpty())
            addError(result, failure);
    }
    return result;
}

struct PdfConversion::Run {
    ConversionOptions options;
    std::vector<Call> calls;
    size_t next = 0;
    QProcess* process = nullptr;
    QTimer* timer = nullptr;
    std::unique_ptr<QTemporaryDir> profile;
    int limit = 0;
};

PdfConversion::PdfConversion(QObject* parent) : QObject(parent) {}

PdfConversion::~PdfConversion()
{
    if (run_ && run_->process) {
        run_->process->disconnect(this);
        killAll(*run_->process);
        run_->process->waitForFinished(5000);
    }
}

bool PdfConversion::isRunning() const { return bool(run_); }

bool PdfConversion::start(const QStringList& inputs, const ConversionOptions& options)
{
    if (run_)
        return false;
    run_ = std::make_unique<Run>();
    run_->options = options;
    run_->calls = plan(inputs, options, result_);
    // Even with nothing to run, finished() comes from the event loop, as callers expect.
    QTimer::singleShot(0, this, [this] { startNextCall(); });
    return true;
}

void PdfConversion::startNextCall()
{
    Run& run = *run_;
    while (run.next < run.calls.size()) {
        const Call& call = run.calls[run.next];
        run.profile = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/lirma-office-XXXXXX"));
        if (!run.profile->isValid()) {
            addError(result_, QStringLiteral("no profile folder for the office program"));
            ++run.next;
            continue;
        }
        run.process = new QProcess(this);
        run.timer = new QTimer(this);
        run.timer->setSingleShot(true);
        prepare(*run.process, call, programOf(run.options), *run.profile);
        run.limit = limitOf(run.options, call);
        connect(run.process, &QProcess::finished, this, [this] { callEnded(false); });
        connect(run.process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                callEnded(false);
        });
        connect(run.timer, &QTimer::timeout, this, [this] { callEnded(true); });
        run.timer->start(run.limit);
        run.process->start();
        return;
    }
    std::unique_ptr<Run> done = std::move(run_);
    emit finished(result_);
}

void PdfConversion::callEnded(bool timedOut)
{
    Run& run = *run_;
    QProcess* process = run.process;
    QTimer* timer = run.timer;
    run.process = nullptr;
    run.timer = nullptr;
    if (!process)
        return;
    process->disconnect(this);
    timer->disconnect(this);
    timer->stop();
    if (timedOut && process->state() != QProcess::NotRunning) {
        killAll(*process);
        process->waitForFinished(5000);
    }
    const QString failure = failureOf(*process, timedOut, run.limit);
    if (!collect(run.calls[run.next], result_) && !failure.isEmpty())
        addError(result_, failure);
    process->deleteLater();
    timer->deleteLater();
    run.profile.reset();
    ++run.next;
    startNextCall();
}

} // namespace lirma::office
