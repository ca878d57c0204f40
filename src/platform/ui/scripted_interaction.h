// The interaction service of tests: records everything the user would have been told and answers
// questions from a queue the test fills beforehand. A question the test did not script, or one that does
// not match what was scripted, throws UnscriptedQuestion (and is kept in failures()).
//
// What counts as a question: a message with two or more buttons, a folder or file choice, a preview and a
// print that lets the user choose the printer. A message with one button is answered with that button;
// a message with no button is not shown and gets ReplyRenunt, as the real dialog does.
#pragma once

#include "platform/ui/interaction.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

namespace lirma::ui {

// Progress that records what a long operation showed, and can press "stop" after a number of steps.
class ScriptedProgress : public HeadlessProgress {
public:
    void setText(const QString& text) override;
    void Step() override;
    void End() override;

    // Presses the stop button once `steps` steps have been made after the next stoppable Begin.
    void stopAfterSteps(int steps) { stopAfter_ = steps; }

    int begins() const { return begins_; }
    int ends() const { return ends_; }
    int steps() const { return steps_; }  // steps that advanced the bar, over all runs
    const QStringList& texts() const { return texts_; }

protected:
    void begin(bool stoppable) override;

private:
    int begins_ = 0;
    int ends_ = 0;
    int steps_ = 0;
    int stepsThisRun_ = 0;
    int stopAfter_ = -1;
    QStringList texts_;
};

class ScriptedInteraction : public Interaction {
public:
    enum class What { Message, Problem, Folder, OpenFile, SaveFile, Document, Preview, Print };

    // One thing the user was shown or asked.
    struct Record {
        What what = What::Message;
        QString title;  // message title, dialog caption or print job title
        QString text;   // message text, balloon text, or the start folder/path of a choice
        int buttons = 0;
        int kind = 0;
        int reply = 0;            // message: the code returned
        QString path;             // choice: the answer; document: the path opened
        QPointer<QWidget> control;
        QString controlName;      // objectName of the balloon's field
        bool accepted = false;    // preview/print/document: what was returned
        int pages = 0;            // preview/print: pages painted
    };

    ScriptedInteraction() = default;
    ScriptedInteraction(const ScriptedInteraction&) = delete;
    ScriptedInteraction& operator=(const ScriptedInteraction&) = delete;

    // --- scripting (answers are used in order) ---
    // Next question answered with `reply`; when `expect` is not empty the question's title or text must
    // contain it.
    ScriptedInteraction& answerMessage(int reply, const QString& expect = {});
    // Next folder / file choice answered with `path` ("" = the user cancelled).
    ScriptedInteraction& answerFolder(const QString& path, const QString& expect = {});
    ScriptedInteraction& answerOpenFile(const QString& path, const QString& expect = {});
    ScriptedInteraction& answerSaveFile(const QString& path, const QString& expect = {});
    // Next preview (or print with printer choice): true = the user printed.
    ScriptedInteraction& answerPrint(bool printed, const QString& expect = {});
    // What openDocument returns (true unless told otherwise).
    void setOpenDocumentResult(bool ok) { openDocumentResult_ = ok; }
    // Painted print jobs are kept as PDF files in this folder (job1.pdf, job2.pdf ...), their path in
    // the record; without it they are painted into memory only.
    void keepPrintsIn(const QString& folder) { printFolder_ = folder; }

    // --- what happened ---
    const std::vector<Record>& records() const { return records_; }
    std::vector<Record> recordsOf(What what) const;
    std::vector<Record> messages() const { return recordsOf(What::Message); }
    std::vector<Record> problems() const { return recordsOf(What::Problem); }
    // Texts of the messages, in order, for short assertions.
    QStringList messageTexts() const;
    int pendingAnswers() const { return int(answers_.size()); }
    const QStringList& failures() const { return failures_; }
    void clearRecords() { records_.clear(); }

    ScriptedProgress& scriptedProgress() { return progress_; }

    // --- Interaction ---
    int message(const QString& title, const QString& text, int buttons, int kind) override;
    void problem(const QString& message, QWidget* control) override;
    QString chooseFolder(const QString& caption, const QString& startFolder) override;
    QString chooseOpenFile(const QString& caption, const QString& startFolder,
                           const QString& filter) override;
    QString chooseSaveFile(const QString& caption, const QString& startPath,
                           const QString& filter) override;
    bool openDocument(const QString& path) override;
    bool preview(const PrintJob& job) override;
    bool print(const PrintJob& job, bool choosePrinter) override;
    Progress& progress() override { return progress_; }

private:
    struct Answer {
        What what;
        int reply = 0;
        QString path;
        bool printed = false;
        QString expect;
    };
    Answer take(What what, const QString& title, const QString& text);
    [[noreturn]] void fail(const QString& why);
    QString choose(What what, const QString& caption, const QString& start);
    // Paints the job as a PDF, returns the page count (0 when paint() failed); sets record.path.
    int paint(const PrintJob& job, Record& record);

    std::deque<Answer> answers_;
    std::vector<Record> records_;
    QStringList failures_;
    bool openDocumentResult_ = true;
    QString printFolder_;
    int printed_ = 0;
    ScriptedProgress progress_;
};

}  // namespace lirma::ui
