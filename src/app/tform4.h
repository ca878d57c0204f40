// TForm4 "Administrator program": the administrator's window. A list on the left selects one of
// its pages: general data, users, options and paths; villages and zones; the tax levels. Every
// input is bound by its component name to the store of administrator values (core/admin_values.h),
// which the computations read; the window only shows and edits it.
#pragma once

#include "app/main_commands.h"
#include "core/admin_fields.h"
#include "core/admin_paths.h"
#include "core/admin_settings.h"
#include "core/admin_values.h"
#include "core/users_admin.h"
#include "core/villages.h"
#include "db/counters.h"
#include "db/settings.h"
#include "platform/base/files.h"
#include "platform/storage/storage.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>

class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QStandardItemModel;
class QTableView;

namespace lirma::app {

class StartupSequence;
class TAddZonaF;
class TFAddUser;

class TForm4 : public QDialog {
    Q_OBJECT
public:
    struct Context {
        base::Folders folders;
        storage::Database* db = nullptr;
        db::Settings* settings = nullptr;
        db::Counters* counters = nullptr;
        std::function<void(const QString& rol, const QString& action)> log; // the activity log
        std::function<void()> villagesChanged;        // refills the taxpayer register's village list
        std::function<void()> openClassificationCodes; // "Coduri clasificare"; empty: not offered yet
    };
    // Runs a dialog modally and returns its result; tests put their own in its place.
    using DialogRunner = std::function<int(QDialog&)>;

    enum class Closed { Saved, Cancelled, EndProgram };

    explicit TForm4(Context context, core::AdminValues& values = core::AdminStore(), QWidget* parent = nullptr);
    ~TForm4() override;

    // "Administrare": fills the grids, shows the window modally and, however it closed, loads every
    // value again (edits not saved are dropped).
    Closed Open();
    // The parts of Open around the modal run.
    void prepare();
    void finish();

    void showPage(core::AdminPage page);
    core::AdminPage currentPage() const;

    // "Salveaza si inchide".
    void SaveClick();
    // Villages.
    void AddZoneClick();
    void ModifyZoneClick();
    void DeleteZoneClick();
    // Users.
    void AddUserClick();
    void ModifyUserClick();
    void DeleteUserClick();
    // Paths.
    void ServerChooseClick();
    void ServerOffClick();
    void BackupChooseClick();
    void BackupOffClick();
    void RaChooseClick();
    void RaOffClick();
    // Legal levels.
    void ImportClick();
    void UnlockClick(core::AdminPage page);

    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }
    bool endProgramRequested() const { return endProgram_; }

    core::AdminValues& values() { return values_; }
    core::AdminSettings& settings() { return *admin_; }
    core::UsersAdmin& users() { return *users_; }
    QListWidget* navigation() const { return nav_; }
    QStackedWidget* pages() const { return stack_; }
    QWidget* page(core::AdminPage page) const;
    QWidget* input(const QString& name) const; // the widget of an input, by component name
    QTableView* usersView() const { return usersView_; }
    QTableView* zonesView() const { return zonesView_; }
    QLabel* serverLabel() const { return serverLabel_; }
    QLabel* backupLabel() const { return backupLabel_; }
    QLabel* raLabel() const { return raLabel_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* unlockButton(core::AdminPage page) const;
    TFAddUser& userDialog();
    TAddZonaF& zoneDialog();

private:
    QWidget* buildGeneralPage();
    QWidget* buildZonesPage();
    QWidget* buildTaxPage(const core::AdminPageDef& def);
    QWidget* makeInput(const core::AdminInput& in, QWidget* parent);
    QWidget* titled(const core::AdminPageDef& def, QWidget* body, QWidget* tools);
    void refreshUsers(const QString& select = {});
    void refreshZones(int64_t selectId = -1);
    void refreshPaths();
    int selectedRow(QTableView* view) const;
    void pathOutcome(core::AdminPaths::Outcome outcome);
    QString userName() const;

    Context context_;
    core::AdminValues& values_;
    std::unique_ptr<core::AdminSettings> admin_;
    std::unique_ptr<core::UsersAdmin> users_;
    std::unique_ptr<core::Villages> villages_;
    std::unique_ptr<core::AdminPaths> paths_;
    std::unique_ptr<TFAddUser> userDialog_;
    std::unique_ptr<TAddZonaF> zoneDialog_;
    DialogRunner runDialog_;
    bool endProgram_ = false;

    QListWidget* nav_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QTableView* usersView_ = nullptr;
    QStandardItemModel* usersModel_ = nullptr;
    QTableView* zonesView_ = nullptr;
    QStandardItemModel* zonesModel_ = nullptr;
    QLabel* serverLabel_ = nullptr;
    QLabel* backupLabel_ = nullptr;
    QLabel* raLabel_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::map<core::AdminPage, QPushButton*> unlock_;
};

// The "Administrare" command of the main window: the window is made on first use from the
// context, and a change of the data folder ends the program. Attach it with
//   form3.setAction("Administrare", AdministrareAction(makeContext));
CommandAction AdministrareAction(std::function<TForm4::Context()> makeContext,
                                 core::AdminValues& values = core::AdminStore());

// Step 5 of the start-up: the administrator values of the data folder into the store. Attach it
// with sequence.setLoadAdministratorSettings(AdministratorLoader()).
std::function<void(StartupSequence&)> AdministratorLoader(core::AdminValues& values = core::AdminStore());

} // namespace lirma::app
