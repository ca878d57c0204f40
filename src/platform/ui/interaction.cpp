#include "platform/ui/interaction.h"

#include <QWidget>

#include <algorithm>
#include <cstdio>

namespace lirma::ui {

int replyOfButton(int bit) {
    switch (bit) {
    case BtnDa: return ReplyDa;
    case BtnNu: return ReplyNu;
    case BtnOk: return ReplyOk;
    case BtnRenunt: return ReplyRenunt;
    default: return 0;
    }
}

int buttonCount(int mask) {
    int n = 0;
    for (int bit : {BtnDa, BtnNu, BtnOk, BtnRenunt})
        if (mask & bit) ++n;
    return n;
}

void HeadlessProgress::setMaximum(int maximum) {
    maximum_ = std::max(0, maximum);
    position_ = std::min(position_, maximum_);
}

void HeadlessProgress::setPosition(int position) {
    position_ = std::clamp(position, 0, maximum_);
}

void HeadlessProgress::begin(bool stoppable) {
    position_ = 0;
    stoppable_ = stoppable;
    stopRequested_ = false;
    shown_ = true;
}

void HeadlessProgress::Step() {
    if (position_ < maximum_) ++position_;
}

void HeadlessProgress::End() {
    shown_ = false;
}

namespace {

void tell(const char* what, const QString& text) {
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(QString(text).replace('\r', ' ')));
}

UnattendedInteraction& unattended() {
    static UnattendedInteraction service;
    return service;
}

Interaction* installed = nullptr;

}  // namespace

int UnattendedInteraction::message(const QString& title, const QString& text, int buttons, int kind) {
    const int shown = buttons & kAllButtons;
    if (shown == 0) return ReplyRenunt;
    if (buttonCount(shown) > 1)
        throw UnscriptedQuestion("no user to answer: " + (title + " / " + text).toStdString());
    tell(qPrintable(title), text);
    return replyOfButton(shown);
}

void UnattendedInteraction::problem(const QString& message, QWidget* control) {
    tell(control ? qPrintable(control->objectName()) : "problem", message);
}

QString UnattendedInteraction::chooseFolder(const QString& caption, const QString&) {
    throw UnscriptedQuestion("no user to choose a folder: " + caption.toStdString());
}

QString UnattendedInteraction::chooseOpenFile(const QString& caption, const QString&, const QString&) {
    throw UnscriptedQuestion("no user to choose a file: " + caption.toStdString());
}

QString UnattendedInteraction::chooseSaveFile(const QString& caption, const QString&, const QString&) {
    throw UnscriptedQuestion("no user to choose a file: " + caption.toStdString());
}

bool UnattendedInteraction::openDocument(const QString& path) {
    tell("document not opened", path);
    return false;
}

bool UnattendedInteraction::preview(const PrintJob& job) {
    throw UnscriptedQuestion("no user to look at the preview of " + job.title.toStdString());
}

bool UnattendedInteraction::print(const PrintJob& job, bool choosePrinter) {
    if (choosePrinter)
        throw UnscriptedQuestion("no user to choose a printer for " + job.title.toStdString());
    tell("not printed", job.title);
    return false;
}

Interaction& interaction() {
    return installed ? *installed : unattended();
}

Interaction* setInteraction(Interaction* service) {
    Interaction* previous = installed;
    installed = service;
    return previous;
}

}  // namespace lirma::ui
