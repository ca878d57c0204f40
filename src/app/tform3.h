// TForm3: the main window, a full-width strip at the top of the screen. Before login it shows
// the login panel; after login the main buttons of the user's rank, with the menus "Liste si
// Formulare" and "Utilitare". Closing it ends the program, after its questions.
#pragma once

#include "app/main_commands.h"
#include "core/closing.h"
#include "core/login.h"
#include "platform/base/files.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace lirma::app {

class TForm5;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    // What the automatic backup on closing needs; both set by the backup feature. Without
    // them closing never offers a backup.
    struct AutoBackup {
        std::function<QString()> folder; // the automatic-backup folder (CALESALVARI)
        std::function<void()> run;       // makes the backup, after the window has closed
    };

    explicit TForm3(const base::Folders& folders, std::vector<MainCommand> commands = MainCommands(),
                    QWidget* parent = nullptr);
    ~TForm3() override;

    // Date label to today, caption to the version caption, then modal until the window is
    // closed; runs the automatic backup afterwards when the user asked for it.
    void Show();

    // Binds the action of a command of the table (an empty action withdraws it); false when
    // the table has no command at that path.
    bool setAction(const QString& path, CommandAction action);
    // Whether the current user is offered the command (its button or entry visible).
    bool offers(const QString& path) const;
    // Runs a command as its button or entry does: nothing when it is not offered, the balloon
    // "Nu aveti treaba aici." when the rank may see but not use it.
    void runCommand(const QString& path);

    void setLoginHooks(core::LoginHooks hooks) { login_.setHooks(std::move(hooks)); }
    void setAutoBackup(AutoBackup backup) { autoBackup_ = std::move(backup); }

    // Closes the window without any question and without backup: a restore or the import of
    // last year ended the run.
    void EndProgram();
    bool programEnded() const { return ended_; }
    // What the last close decided (Stay until the window closes).
    core::CloseChoice closeChoice() const { return closeChoice_; }

    // "Start": the login of the typed name and password.
    void LogButClick();
    // "Iesire": logs the user out; the program keeps running.
    void ToolButton1Click();
    // The close questions; true when the window may close.
    bool FormCloseQuery();

    const base::Folders& folders() const { return folders_; }
    // "Contul meu", created on first use and reused.
    TForm5& ownAccountWindow();

    // The window's parts, for the commands that anchor to them and for tests.
    QLineEdit* UserName() const { return userName_; }
    QLineEdit* Parola() const { return parola_; }
    QPushButton* LogBut() const { return logBut_; }
    QWidget* loginPanel() const { return loginPanel_; }
    QWidget* mainButtons() const { return mainButtons_; }
    QLabel* dateLabel() const { return dateLabel_; }
    QLabel* statusLine() const { return statusLine_; }
    // The main button with this caption ("Incasari"), the menu of a button or submenu
    // ("Utilitare", "Utilitare > Istoric modificari") and a menu entry's action.
    QToolButton* button(const QString& caption) const;
    QMenu* menu(const QString& path) const;
    QAction* entry(const QString& path) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Command {
        MainCommand command;
        QToolButton* button = nullptr; // main buttons
        QAction* action = nullptr;     // menu entries
    };

    void buildLoginPanel();
    void buildCommands();
    QMenu* menuFor(const QString& path);
    const Command* find(const QString& path) const;
    // Shows the commands of the current user's rank.
    void ApplyRank();
    bool refreshMenu(QMenu* menu);
    // Entries gated to ADMIN are enabled only for him.
    void refreshEnabled();
    void openMenu(const QString& path);
    void placeFullWidth();

    base::Folders folders_;
    core::Login login_;
    AutoBackup autoBackup_;
    std::vector<Command> commands_;
    std::map<QString, QMenu*> menus_;
    std::unique_ptr<TForm5> ownAccount_;

    QWidget* loginPanel_ = nullptr;
    QWidget* mainButtons_ = nullptr;
    QLineEdit* userName_ = nullptr;
    QLineEdit* parola_ = nullptr;
    QPushButton* logBut_ = nullptr;
    QLabel* dateLabel_ = nullptr;
    QLabel* statusLine_ = nullptr;

    core::CloseChoice closeChoice_ = core::CloseChoice::Stay;
    bool ended_ = false;
    bool closing_ = false;
};

} // namespace lirma::app
