#include "platform/ui/scripted_interaction.h"

#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <QWidget>

#include <cstdio>
#include <memory>

namespace lirma::ui {

void ScriptedProgress::setText(const QString& text) {
    HeadlessProgress::setText(text);
    texts_ << text;
}

void ScriptedProgress::begin(bool stoppable) {
    HeadlessProgress::begin(stoppable);
    ++begins_;
    stepsThisRun_ = 0;
}

void ScriptedProgress::Step() {
    const int before = position();
    HeadlessProgress::Step();
    if (position() != before) ++steps_;
    ++stepsThisRun_;
    if (stopAfter_ >= 0 && stoppable() && isShown() && stepsThisRun_ >= stopAfter_) {
        requestStop();
        stopAfter_ = -1;
    }
}

void ScriptedProgress::End() {
    if (isShown()) ++ends_;
    HeadlessProgress::End();
}

namespace {

const char* nameOf(ScriptedInteraction::What what) {
    using W = ScriptedInteraction::What;
    switch (what) {
    case W::Message: return "message";
    case W::Problem: return "balloon";
    case W::Folder: return "folder choice";
    case W::OpenFile: return "file to open";
    case W::SaveFile: return "file to save";
    case W::Document: return "document";
    case W::Preview: return "preview";
    case W::Print: return "print";
    }
    return "?";
}

// Counts the pages a job paints.
class CountingPdfWriter : public QPdfWriter {
public:
    using QPdfWriter::QPdfWriter;
    bool newPage() override {
        ++pages;
        return QPdfWriter::newPage();
    }
    int pages = 1;
};

ScriptedInteraction::Record makeRecord(ScriptedInteraction::What what, const QString& title = {},
                                       const QString& text = {}) {
    ScriptedInteraction::Record r;
    r.what = what;
    r.title = title;
    r.text = text;
    return r;
}

}  // namespace

ScriptedInteraction& ScriptedInteraction::answerMessage(int reply, const QString& expect) {
    answers_.push_back({What::Message, reply, {}, false, expect});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::answerFolder(const QString& path, const QString& expect) {
    answers_.push_back({What::Folder, 0, path, false, expect});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::answerOpenFile(const QString& path, const QString& expect) {
    answers_.push_back({What::OpenFile, 0, path, false, expect});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::answerSaveFile(const QString& path, const QString& expect) {
    answers_.push_back({What::SaveFile, 0, path, false, expect});
    return *this;
}

ScriptedInteraction& ScriptedInteraction::answerPrint(bool printed, const QString& expect) {
    answers_.push_back({What::Print, 0, {}, printed, expect});
    return *this;
}

std::vector<ScriptedInteraction::Record> ScriptedInteraction::recordsOf(What what) const {
    std::vector<Record> out;
    for (const Record& r : records_)
        if (r.what == what) out.push_back(r);
    return out;
}

QStringList ScriptedInteraction::messageTexts() const {
    QStringList out;
    for (const Record& r : records_)
        if (r.what == What::Message) out << r.text;
    return out;
}

void ScriptedInteraction::fail(const QString& why) {
    failures_ << why;
    std::fprintf(stderr, "ScriptedInteraction: %s\n", qPrintable(why));
    throw UnscriptedQuestion(why.toStdString());
}

ScriptedInteraction::Answer ScriptedInteraction::take(What what, const QString& title,
                                                      const QString& text) {
    const QString asked = QString("%1 \"%2\" / \"%3\"").arg(nameOf(what), title, text);
    if (answers_.empty()) fail("unscripted " + asked);
    Answer a = answers_.front();
    if (a.what != what) fail(QString("scripted a %1 but got %2").arg(nameOf(a.what), asked));
    if (!a.expect.isEmpty() && !title.contains(a.expect) && !text.contains(a.expect))
        fail(QString("scripted a %1 about \"%2\" but got %3").arg(nameOf(what), a.expect, asked));
    answers_.pop_front();
    return a;
}

int ScriptedInteraction::message(const QString& title, const QString& text, int buttons, int kind) {
    const int shown = buttons & kAllButtons;
    Record r = makeRecord(What::Message, title, text);
    r.buttons = buttons;
    r.kind = kind;
    if (buttonCount(shown) <= 1) {
        r.reply = shown ? replyOfButton(shown) : ReplyRenunt;
        records_.push_back(r);
        return r.reply;
    }
    records_.push_back(r);
    const Answer a = take(What::Message, title, text);
    const bool possible = a.reply == ReplyRenunt ||
                          ((shown & BtnDa) && a.reply == ReplyDa) || ((shown & BtnNu) && a.reply == ReplyNu) ||
                          ((shown & BtnOk) && a.reply == ReplyOk);
    if (!possible)
        fail(QString("scripted reply %1 is not a button of \"%2\" (mask %3)").arg(a.reply).arg(title).arg(buttons));
    records_.back().reply = a.reply;
    return a.reply;
}

void ScriptedInteraction::problem(const QString& message, QWidget* control) {
    Record r = makeRecord(What::Problem, {}, message);
    r.control = control;
    if (control) r.controlName = control->objectName();
    records_.push_back(r);
}

QString ScriptedInteraction::choose(What what, const QString& caption, const QString& start) {
    records_.push_back(makeRecord(what, caption, start));
    const Answer a = take(what, caption, start);
    records_.back().path = a.path;
    return a.path;
}

QString ScriptedInteraction::chooseFolder(const QString& caption, const QString& startFolder) {
    return choose(What::Folder, caption, startFolder);
}

QString ScriptedInteraction::chooseOpenFile(const QString& caption, const QString& startFolder,
                                            const QString&) {
    return choose(What::OpenFile, caption, startFolder);
}

QString ScriptedInteraction::chooseSaveFile(const QString& caption, const QString& startPath,
                                            const QString&) {
    return choose(What::SaveFile, caption, startPath);
}

bool ScriptedInteraction::openDocument(const QString& path) {
    Record r = makeRecord(What::Document);
    r.path = path;
    r.accepted = openDocumentResult_;
    records_.push_back(r);
    return openDocumentResult_;
}

int ScriptedInteraction::paint(const PrintJob& job, Record& record) {
    if (!job.paint) return 0;
    QBuffer memory;
    std::unique_ptr<CountingPdfWriter> writer;
    if (!printFolder_.isEmpty()) {
        record.path = QDir(printFolder_).filePath(QString("job%1.pdf").arg(++printed_));
        writer = std::make_unique<CountingPdfWriter>(record.path);
    } else {
        memory.open(QIODevice::WriteOnly);
        writer = std::make_unique<CountingPdfWriter>(&memory);
    }
    writer->setTitle(job.title);
    if (job.layout.isValid()) writer->setPageLayout(job.layout);
    const bool ok = job.paint(*writer);
    return ok ? writer->pages : 0;
}

bool ScriptedInteraction::preview(const PrintJob& job) {
    records_.push_back(makeRecord(What::Preview, job.title));
    const Answer a = take(What::Print, job.title, {});
    Record& r = records_.back();
    r.pages = paint(job, r);
    r.accepted = a.printed && r.pages > 0;
    return r.accepted;
}

bool ScriptedInteraction::print(const PrintJob& job, bool choosePrinter) {
    records_.push_back(makeRecord(What::Print, job.title));
    const bool printed = choosePrinter ? take(What::Print, job.title, {}).printed : true;
    Record& r = records_.back();
    if (printed) r.pages = paint(job, r);
    r.accepted = printed && r.pages > 0;
    return r.accepted;
}

}  // namespace lirma::ui
