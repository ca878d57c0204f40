// The one way the system talks to the user: messages and questions, balloons beside fields, folder and
// file choices, opening documents, printing and the progress window. The program installs the real
// implementation at start; tests install a scripted one, so nothing ever waits on a modal dialog and every
// test can see what the user was told.
#pragma once

#include <QPageLayout>
#include <QString>

#include <functional>
#include <stdexcept>

class QPagedPaintDevice;
class QWidget;

namespace lirma::ui {

// Buttons of the message dialog, combined as a bit mask.
enum MessageButton : int { BtnDa = 1, BtnNu = 2, BtnOk = 4, BtnRenunt = 8 };
inline constexpr int kAllButtons = BtnDa | BtnNu | BtnOk | BtnRenunt;

// What message() returns: the pressed button. Esc, the close box and an empty mask give ReplyRenunt.
enum MessageReply : int { ReplyOk = 1, ReplyRenunt = 2, ReplyDa = 6, ReplyNu = 7 };

// Kind of a message; any value other than 0, 2 and 3 is an error (callers use 1).
enum MessageKind : int { KindAtentie = 0, KindEroare = 1, KindInformatie = 2, KindConfirmare = 3 };

// Reply code of one mask bit (0 for anything that is not a single known bit).
int replyOfButton(int bit);
// Number of buttons a mask shows (bits other than the four known ones are ignored).
int buttonCount(int mask);

// A question or choice arrived that nobody can answer: no user (command line) or a test that did not
// script it. Thrown so that the operation stops instead of guessing an answer.
class UnscriptedQuestion : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// The progress window of long operations. A loop calls Begin (or BeginStoppable), sets the text and
// maximum, calls Step per item, polls StopRequested when stoppable, and calls End.
class Progress {
public:
    virtual ~Progress() = default;
    virtual void setText(const QString& text) = 0;
    virtual QString text() const = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual int maximum() const = 0;
    virtual void setPosition(int position) = 0;
    virtual int position() const = 0;

    // Position 0, stop button hidden, stop flag cleared; shows the window when it is not shown yet.
    virtual void Begin() = 0;
    // The same with the stop button shown.
    virtual void BeginStoppable() = 0;
    // One more item done; at the maximum nothing happens.
    virtual void Step() = 0;
    // Hides the window when it is shown.
    virtual void End() = 0;
    virtual bool StopRequested() const = 0;
    virtual bool isShown() const = 0;
};

// The same rules without any window: for the command line and as the base of the scripted one.
class HeadlessProgress : public Progress {
public:
    void setText(const QString& text) override { text_ = text; }
    QString text() const override { return text_; }
    void setMaximum(int maximum) override;
    int maximum() const override { return maximum_; }
    void setPosition(int position) override;
    int position() const override { return position_; }
    void Begin() override { begin(false); }
    void BeginStoppable() override { begin(true); }
    void Step() override;
    void End() override;
    bool StopRequested() const override { return stopRequested_; }
    bool isShown() const override { return shown_; }
    bool stoppable() const { return stoppable_; }

protected:
    virtual void begin(bool stoppable);
    void requestStop() { stopRequested_ = true; }

private:
    QString text_;
    int maximum_ = 100;
    int position_ = 0;
    bool shown_ = false;
    bool stoppable_ = false;
    bool stopRequested_ = false;
};

// A document to print. paint() draws every page on the device (a printer, the preview or a PDF writer),
// calling device.newPage() between pages, and returns false when it could not.
struct PrintJob {
    QString title;
    QPageLayout layout;  // an invalid layout means the printer's default
    std::function<bool(QPagedPaintDevice& device)> paint;
};

class Interaction {
public:
    virtual ~Interaction() = default;

    // The message dialog: title line, text ("\r" and "\r\n" break lines, shown as plain text), a mask of
    // MessageButton and a MessageKind. Returns the MessageReply of the pressed button.
    virtual int message(const QString& title, const QString& text, int buttons, int kind) = 0;
    // A problem with one input field, shown as a balloon beside it.
    virtual void problem(const QString& message, QWidget* control) = 0;
    // Folder and file choices; "" when the user cancels.
    virtual QString chooseFolder(const QString& caption, const QString& startFolder) = 0;
    virtual QString chooseOpenFile(const QString& caption, const QString& startFolder,
                                   const QString& filter) = 0;
    virtual QString chooseSaveFile(const QString& caption, const QString& startPath,
                                   const QString& filter) = 0;
    // Opens a document in the desktop's program for it; false when that could not be done.
    virtual bool openDocument(const QString& path) = 0;
    // Shows the print preview; true when the user printed.
    virtual bool preview(const PrintJob& job) = 0;
    // Prints; with choosePrinter the user picks the printer first. True when printed.
    virtual bool print(const PrintJob& job, bool choosePrinter) = 0;
    // The progress window shared by every long operation.
    virtual Progress& progress() = 0;
};

// Used when no user is present (command line) and before the program installs its own: messages go to
// the standard error, single-button messages get that button, questions and choices throw
// UnscriptedQuestion, documents are not opened and nothing is printed.
class UnattendedInteraction : public Interaction {
public:
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
    HeadlessProgress progress_;
};

// The installed service (the unattended one when none is installed). Window thread only.
Interaction& interaction();
// Installs a service (nullptr: back to the unattended one) and returns the previous one, or nullptr.
Interaction* setInteraction(Interaction* service);

// Installs a service for the lifetime of this object, then puts back the previous one.
class ScopedInteraction {
public:
    explicit ScopedInteraction(Interaction& service) : previous_(setInteraction(&service)) {}
    ~ScopedInteraction() { setInteraction(previous_); }
    ScopedInteraction(const ScopedInteraction&) = delete;
    ScopedInteraction& operator=(const ScopedInteraction&) = delete;

private:
    Interaction* previous_;
};

// Shortcuts over the installed service, under the names the rest of the system uses.
inline int ShowMessage(const QString& title, const QString& text, int buttons, int kind) {
    return interaction().message(title, text, buttons, kind);
}
inline void ShowProblem(const QString& message, QWidget* control) {
    interaction().problem(message, control);
}
// A "DA"/"NU" question; true only for "DA".
inline bool AskYes(const QString& title, const QString& text, int kind = KindConfirmare) {
    return interaction().message(title, text, BtnDa | BtnNu, kind) == ReplyDa;
}

}  // namespace lirma::ui
