#include "app/tform3.h"

#include "app/tform5.h"
#include "core/current_user.h"
#include "platform/base/dates.h"
#include "platform/base/edition.h"
#include "platform/ui/big_button.h"
#include "platform/ui/gradient_panel.h"
#include "platform/ui/interaction.h"
#include "platform/ui/upper_case.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <exception>

namespace lirma::app {

namespace {

const QString kIncasari = QStringLiteral("Incasari");
const QString kLists = QStringLiteral("Liste si Formulare");
const QString kNotHere = QStringLiteral("Nu aveti treaba aici.");
const QString kStatusText = QStringLiteral("F1 - Incasari");
const QString kLoggedInMark = QStringLiteral("  >> ");
constexpr int kNameMax = 32;
constexpr int kBandHeight = 84;

QString topOf(const QString& path)
{
    return path.section(QLatin1String(kPathSeparator), 0, 0);
}

QString parentOf(const QString& path)
{
    const qsizetype cut = path.lastIndexOf(QLatin1String(kPathSeparator));
    return cut < 0 ? QString() : path.left(cut);
}

QString leafOf(const QString& path)
{
    const qsizetype cut = path.lastIndexOf(QLatin1String(kPathSeparator));
    return cut < 0 ? path : path.mid(cut + qsizetype(sizeof(kPathSeparator) - 1));
}

QIcon iconOf(const QString& name)
{
    static const std::map<QString, QStyle::StandardPixmap> icons = {
        {"MBut1", QStyle::SP_DialogApplyButton},
        {"MButCasa", QStyle::SP_FileDialogDetailedView},
        {"MButGosp", QStyle::SP_DirIcon},
        {"MBut2", QStyle::SP_FileDialogContentsView},
        {"MButAdm", QStyle::SP_FileDialogInfoView},
        {"UtilBut", QStyle::SP_DialogResetButton},
        {"ToolButton1", QStyle::SP_DialogCloseButton},
    };
    const auto it = icons.find(name);
    return it == icons.end() ? QIcon() : QApplication::style()->standardIcon(it->second);
}

} // namespace

TForm3::TForm3(const base::Folders& folders, std::vector<MainCommand> commands, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      folders_(folders),
      login_(folders.data.toStdString())
{
    setObjectName("TForm3");
    setWindowTitle(base::edition::VersionCaption());

    auto* band = new ui::GradientPanel(QColor(0xf4, 0xf7, 0xfb), QColor(0x8f, 0xac, 0xcf),
                                       Qt::Horizontal, this);
    band->setFixedHeight(kBandHeight);
    auto* bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(8, 4, 12, 4);
    bandLayout->setSpacing(4);

    loginPanel_ = new QWidget(band);
    loginPanel_->setObjectName("LoginPanel");
    mainButtons_ = new QWidget(band);
    mainButtons_->setObjectName("MainButtons");
    commands_.reserve(commands.size());
    for (MainCommand& c : commands)
        commands_.push_back({std::move(c)});
    buildLoginPanel();
    buildCommands();

    dateLabel_ = new QLabel(band);
    dateLabel_->setObjectName("DateLabel");
    dateLabel_->setCursor(Qt::PointingHandCursor);
    QFont big = dateLabel_->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    dateLabel_->setFont(big);
    dateLabel_->setStyleSheet(QStringLiteral("color: #0b2a55"));
    dateLabel_->installEventFilter(this);

    bandLayout->addWidget(loginPanel_);
    bandLayout->addWidget(mainButtons_);
    bandLayout->addStretch(1);
    bandLayout->addWidget(dateLabel_);

    statusLine_ = new QLabel(kStatusText, this);
    statusLine_->setObjectName("StatusBar1");
    statusLine_->setFrameShape(QFrame::Panel);
    statusLine_->setFrameShadow(QFrame::Sunken);
    statusLine_->setContentsMargins(6, 1, 6, 1);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(band);
    root->addWidget(statusLine_);

    mainButtons_->hide();
    ApplyRank();
    dateLabel_->setText(base::FormatDate(QDate::currentDate()));
}

TForm3::~TForm3() = default;

void TForm3::buildLoginPanel()
{
    auto* layout = new QHBoxLayout(loginPanel_);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->setSpacing(8);
    auto* nameLabel = new QLabel(QStringLiteral("Numele"), loginPanel_);
    userName_ = new QLineEdit(QString::fromUtf8(core::kAdminName.data(),
                                                qsizetype(core::kAdminName.size())),
                              loginPanel_);
    userName_->setObjectName("UserName");
    ui::MakeUpperCaseField(userName_, kNameMax);
    auto* passwordLabel = new QLabel(QStringLiteral("Parola"), loginPanel_);
    parola_ = new QLineEdit(loginPanel_);
    parola_->setObjectName("Parola");
    ui::MakeUpperCaseField(parola_, kNameMax, true);
    logBut_ = new QPushButton(QStringLiteral("Start"), loginPanel_);
    logBut_->setObjectName("LogBut");
    // Enter in the fields is handled by the fields themselves, not by a default button.
    logBut_->setAutoDefault(false);
    logBut_->setDefault(false);
    for (QLineEdit* field : {userName_, parola_})
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 14);
    nameLabel->setBuddy(userName_);
    passwordLabel->setBuddy(parola_);
    layout->addWidget(nameLabel);
    layout->addWidget(userName_);
    layout->addSpacing(8);
    layout->addWidget(passwordLabel);
    layout->addWidget(parola_);
    layout->addSpacing(8);
    layout->addWidget(logBut_);

    connect(userName_, &QLineEdit::returnPressed, parola_, [this] { parola_->setFocus(); });
    connect(parola_, &QLineEdit::returnPressed, this, &TForm3::LogButClick);
    connect(logBut_, &QPushButton::clicked, this, &TForm3::LogButClick);
}

void TForm3::buildCommands()
{
    auto* layout = new QHBoxLayout(mainButtons_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (Command& c : commands_) {
        const QString path = c.command.path;
        if (parentOf(path).isEmpty()) {
            auto* b = new ui::BigButton(path, iconOf(c.command.name), mainButtons_);
            b->setObjectName(c.command.name.isEmpty() ? path : c.command.name);
            b->setToolTip(c.command.hint);
            b->setFocusPolicy(Qt::StrongFocus);
            connect(b, &QToolButton::clicked, this, [this, path] { runCommand(path); });
            layout->addWidget(b);
            c.button = b;
        } else {
            QMenu* m = menuFor(parentOf(path));
            c.action = m->addAction(leafOf(path));
            c.action->setObjectName(path);
            connect(c.action, &QAction::triggered, this, [this, path] { runCommand(path); });
        }
    }
}

QMenu* TForm3::menuFor(const QString& path)
{
    const auto it = menus_.find(path);
    if (it != menus_.end())
        return it->second;
    QMenu* m = nullptr;
    const QString parent = parentOf(path);
    if (parent.isEmpty()) {
        m = new QMenu(this);
    } else {
        m = menuFor(parent)->addMenu(leafOf(path));
    }
    m->setObjectName(path);
    if (parent.isEmpty()) {
        // Entries gated to ADMIN are enabled only for him, checked whenever the menu opens.
        connect(m, &QMenu::aboutToShow, this, [this] { refreshEnabled(); });
    }
    menus_.emplace(path, m);
    return m;
}

const TForm3::Command* TForm3::find(const QString& path) const
{
    for (const Command& c : commands_)
        if (c.command.path == path)
            return &c;
    return nullptr;
}

bool TForm3::setAction(const QString& path, CommandAction action)
{
    for (Command& c : commands_) {
        if (c.command.path != path)
            continue;
        c.command.action = std::move(action);
        ApplyRank();
        return true;
    }
    return false;
}

bool TForm3::offers(const QString& path) const
{
    if (!mainButtons_->isVisibleTo(this))
        return false;
    if (const Command* c = find(path)) {
        if (c->button)
            return c->button->isVisibleTo(mainButtons_);
        // An entry is offered when it and every menu above it are shown.
        if (!c->action->isVisible())
            return false;
        for (QString up = parentOf(path); !parentOf(up).isEmpty(); up = parentOf(up))
            if (!menus_.at(up)->menuAction()->isVisible())
                return false;
        return button(topOf(path))->isVisibleTo(mainButtons_);
    }
    return false;
}

void TForm3::ApplyRank()
{
    const core::Rank rank = core::CurrentUser().rank;
    for (Command& c : commands_) {
        const bool shown = c.command.action && core::GateShows(c.command.gate, rank);
        if (c.action)
            c.action->setVisible(shown);
    }
    for (Command& c : commands_) {
        if (!c.button)
            continue;
        const auto m = menus_.find(c.command.path);
        const bool offered = m != menus_.end() ? refreshMenu(m->second) : bool(c.command.action);
        const bool shown = offered && core::GateShows(c.command.gate, rank);
        c.button->setVisible(shown);
    }
    refreshEnabled();
    statusLine_->setText(offers(kIncasari) || !mainButtons_->isVisibleTo(this) ? kStatusText
                                                                                 : QString());
}

bool TForm3::refreshMenu(QMenu* menu)
{
    bool any = false;
    for (QAction* a : menu->actions()) {
        if (a->menu())
            a->setVisible(refreshMenu(a->menu()));
        any = any || a->isVisible();
    }
    return any;
}

void TForm3::refreshEnabled()
{
    const bool admin = core::CurrentUser().isAdmin();
    for (const Command& c : commands_)
        if (c.action)
            c.action->setEnabled(c.command.enabled && (c.command.gate != core::Gate::AdminOnly || admin));
}

QToolButton* TForm3::button(const QString& caption) const
{
    const Command* c = find(caption);
    return c ? c->button : nullptr;
}

QMenu* TForm3::menu(const QString& path) const
{
    const auto it = menus_.find(path);
    return it == menus_.end() ? nullptr : it->second;
}

QAction* TForm3::entry(const QString& path) const
{
    const Command* c = find(path);
    return c ? c->action : nullptr;
}

void TForm3::openMenu(const QString& path)
{
    QMenu* m = menu(path);
    QToolButton* b = button(path);
    if (!m || !b || !b->isVisible())
        return;
    refreshEnabled();
    m->popup(b->mapToGlobal(QPoint(0, b->height())));
}

void TForm3::runCommand(const QString& path)
{
    const Command* c = find(path);
    if (!c || !offers(path))
        return;
    if (menus_.count(path)) {
        openMenu(path);
        return;
    }
    const core::Rank rank = core::CurrentUser().rank;
    if (!core::GateRuns(c->command.gate, rank)) {
        ui::ShowProblem(kNotHere, c->button);
        return;
    }
    const CommandAction action = c->command.action; // the action may change the table
    try {
        action(*this);
    } catch (const std::exception& e) {
        // What a command does not catch ends only that command.
        ui::ShowMessage(QStringLiteral("PROBLEMA"), QString::fromUtf8(e.what()), ui::BtnOk,
                        ui::KindEroare);
    }
}

void TForm3::Show()
{
    dateLabel_->setText(base::FormatDate(QDate::currentDate()));
    if (!core::CurrentUser().loggedIn())
        setWindowTitle(base::edition::VersionCaption());
    closeChoice_ = core::CloseChoice::Stay;
    ended_ = false;
    exec();
    if (closeChoice_ == core::CloseChoice::CloseAndBackup && !ended_ && autoBackup_.run)
        autoBackup_.run();
}

void TForm3::LogButClick()
{
    const QString name = core::CleanUserName(userName_->text());
    userName_->setText(name);
    switch (login_.logIn(name, parola_->text())) {
    case core::LoginOutcome::Refused:
        return;
    case core::LoginOutcome::EndProgram:
        EndProgram();
        return;
    case core::LoginOutcome::LoggedIn:
        break;
    }
    userName_->setText(login_.lookedUpName());
    loginPanel_->hide();
    mainButtons_->show();
    ApplyRank();
    setWindowTitle(base::edition::VersionCaption() + kLoggedInMark + core::CurrentUser().name);
    for (const Command& c : commands_)
        if (c.button && c.button->isVisibleTo(mainButtons_)) {
            c.button->setFocus();
            break;
        }
}

void TForm3::ToolButton1Click()
{
    setWindowTitle(base::edition::VersionCaption());
    mainButtons_->hide();
    loginPanel_->show();
    parola_->clear();
    core::Login::logOut();
    ApplyRank();
    parola_->setFocus();
}

void TForm3::EndProgram()
{
    ended_ = true;
    closeChoice_ = core::CloseChoice::Close;
    done(QDialog::Rejected);
}

bool TForm3::FormCloseQuery()
{
    const QString backupFolder =
        autoBackup_.folder && autoBackup_.run ? autoBackup_.folder() : QString();
    closeChoice_ = core::AskClose(core::AutoBackupOffered(folders_, backupFolder));
    return closeChoice_ != core::CloseChoice::Stay;
}

TForm5& TForm3::ownAccountWindow()
{
    if (!ownAccount_)
        ownAccount_ = std::make_unique<TForm5>(this);
    return *ownAccount_;
}

void TForm3::keyPressEvent(QKeyEvent* event)
{
    if (mainButtons_->isVisible()) {
        if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
            runCommand(kIncasari);
            return;
        }
        if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
            runCommand(kLists);
            return;
        }
    }
    // Esc does not close the main window: only the close box, the date and Alt+F4 do.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm3::closeEvent(QCloseEvent* event)
{
    if (closing_ || ended_) {
        event->accept();
        return;
    }
    closing_ = true;
    const bool close = FormCloseQuery();
    closing_ = false;
    if (!close) {
        event->ignore();
        return;
    }
    closing_ = true; // done() closes the window again
    done(QDialog::Accepted);
    closing_ = false;
    event->accept();
}

void TForm3::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    placeFullWidth();
}

void TForm3::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // Restored from the taskbar: back to the full-width strip in normal state.
    if (event->type() == QEvent::WindowStateChange && !(windowState() & Qt::WindowMinimized)) {
        if (windowState() != Qt::WindowNoState)
            setWindowState(Qt::WindowNoState);
        placeFullWidth();
    }
}

void TForm3::placeFullWidth()
{
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect area = s->availableGeometry();
    // The frame, when the window has one, stays on the screen too.
    const int frameWidth = frameGeometry().width() - geometry().width();
    resize(area.width() - frameWidth, sizeHint().height());
    move(area.topLeft());
}

bool TForm3::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == dateLabel_ && event->type() == QEvent::MouseButtonRelease) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace lirma::app
