#include "app/tform4.h"

#include "app/dialog_parts.h"
#include "app/startup_sequence.h"
#include "app/taddzonaf.h"
#include "app/tfadduser.h"
#include "app/tform3.h"
#include "core/admin_texts.h"
#include "core/current_user.h"
#include "platform/base/edition.h"
#include "platform/registry/registry.h"
#include "platform/ui/interaction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace lirma::app {

namespace t = core::admintext;
using core::AdminInput;
using core::AdminPage;
using core::AdminPageDef;
using core::InputKind;

namespace {

constexpr int kNumberWidth = 72;
const char kStyle[] = "QLineEdit[readOnly=\"true\"] { background: #ececec; color: #303030; }";

int pageIndex(AdminPage page)
{
    return static_cast<int>(page);
}

QStandardItem* item(const QString& text)
{
    auto* i = new QStandardItem(text);
    i->setEditable(false);
    return i;
}

QTableView* makeGrid(QStandardItemModel* model, const QString& name, QWidget* parent)
{
    auto* view = new QTableView(parent);
    view->setObjectName(name);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->setVisible(false);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
    view->setAlternatingRowColors(true);
    return view;
}

QLabel* boldLabel(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

void repolish(QWidget* root)
{
    for (QLineEdit* e : root->findChildren<QLineEdit*>()) {
        e->style()->unpolish(e);
        e->style()->polish(e);
    }
}

} // namespace

TForm4::TForm4(Context context, core::AdminValues& values, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      context_(std::move(context)),
      values_(values)
{
    setObjectName("TForm4");
    setWindowTitle(t::WindowCaption());
    setModal(true);
    setStyleSheet(QString::fromLatin1(kStyle));

    admin_ = std::make_unique<core::AdminSettings>(values_, *context_.db, *context_.settings);
    users_ = std::make_unique<core::UsersAdmin>(context_.folders.data.toStdString(), *context_.settings);
    villages_ = std::make_unique<core::Villages>(*context_.db, *context_.counters);
    paths_ = std::make_unique<core::AdminPaths>(*context_.settings, context_.folders);
    runDialog_ = [](QDialog& d) { return d.exec(); };

    nav_ = new QListWidget(this);
    nav_->setObjectName("Navigare");
    for (const QString& entry : core::AdminNavigationEntries()) {
        auto* it = new QListWidgetItem(entry, nav_);
        if (entry == core::AdminNavigationHeading()) {
            it->setFlags(Qt::NoItemFlags);
            QFont f = nav_->font();
            f.setBold(true);
            it->setFont(f);
            it->setForeground(QColor(0x1f, 0x4e, 0x8c));
        }
    }
    nav_->setFixedWidth(nav_->sizeHintForColumn(0) + 24);

    stack_ = new QStackedWidget(this);
    for (const AdminPageDef& def : core::AdminPages()) {
        QWidget* p = def.page == AdminPage::General ? buildGeneralPage()
                     : def.page == AdminPage::Zones ? buildZonesPage()
                                                    : buildTaxPage(def);
        p->setObjectName(QStringLiteral("Pagina%1").arg(pageIndex(def.page)));
        stack_->addWidget(p);
    }
    connect(nav_, &QListWidget::currentRowChanged, this, [this](int row) {
        const int page = core::AdminPageOfEntry(row);
        if (page >= 0)
            stack_->setCurrentIndex(page);
    });

    save_ = new QPushButton(t::SaveAndClose(), this);
    save_->setObjectName("Salveaza");
    cancel_ = new QPushButton(t::Cancel(), this);
    cancel_->setObjectName("Renunt");
    for (QPushButton* b : {save_, cancel_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setMinimumWidth(140);
    }
    connect(save_, &QPushButton::clicked, this, &TForm4::SaveClick);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save_);
    buttons->addWidget(cancel_);

    auto* body = new QHBoxLayout;
    body->addWidget(nav_);
    body->addWidget(stack_, 1);
    auto* root = new QVBoxLayout(this);
    root->addLayout(body, 1);
    root->addLayout(buttons);

    showPage(AdminPage::General);
    resize(1150, 700);
}

TForm4::~TForm4() = default;

// --- building the pages ---

QWidget* TForm4::makeInput(const AdminInput& in, QWidget* parent)
{
    QWidget* w = nullptr;
    switch (in.kind) {
    case InputKind::Text:
    case InputKind::Number: {
        auto* edit = new QLineEdit(parent);
        if (in.kind == InputKind::Number) {
            edit->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*\\.?[0-9]*")), edit));
            edit->setAlignment(Qt::AlignRight);
            edit->setFixedWidth(kNumberWidth);
        } else {
            edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 16);
        }
        w = edit;
        break;
    }
    case InputKind::List: {
        auto* combo = new QComboBox(parent);
        combo->setMinimumWidth(in.name == QLatin1String(core::admin_names::JudetulLab) ? 200 : 56);
        w = combo;
        break;
    }
    case InputKind::Check: {
        auto* box = new QCheckBox(in.label, parent);
        w = box;
        // The inflation boxes need a rate first.
        if (in.setting == &db::keys::RATAINFPF || in.setting == &db::keys::RATAINFPFN ||
            in.setting == &db::keys::RATAINFPJ) {
            const QString name = in.name;
            connect(box, &QCheckBox::clicked, this, [this, name](bool on) {
                if (on)
                    admin_->AllowInflationCheck(name);
            });
        }
        break;
    }
    }
    w->setObjectName(in.name);
    if (!in.hint.isEmpty())
        w->setToolTip(in.hint);
    values_.bind(w);
    return w;
}

QWidget* TForm4::titled(const AdminPageDef& def, QWidget* body, QWidget* tools)
{
    auto* page = new QWidget;
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(MakeTitleBand(def.title, page, nullptr, 13));
    if (!def.subtitle.isEmpty()) {
        auto* sub = boldLabel(def.subtitle, page);
        sub->setContentsMargins(6, 2, 0, 2);
        v->addWidget(sub);
    }
    auto* scroll = new QScrollArea(page);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(body);
    v->addWidget(scroll, 1);
    if (tools)
        v->addWidget(tools);
    return page;
}

QWidget* TForm4::buildTaxPage(const AdminPageDef& def)
{
    auto* body = new QWidget;
    auto* v = new QVBoxLayout(body);
    std::vector<QWidget*> order;

    const bool matrix = !def.columnHeads.isEmpty();
    if (matrix) {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(3);
        grid->addWidget(boldLabel(def.cornerHead, body), 0, 0);
        for (int c = 0; c < def.columnHeads.size(); ++c) {
            auto* head = boldLabel(def.columnHeads[c], body);
            head->setAlignment(Qt::AlignCenter);
            grid->addWidget(head, 0, c + 1);
        }
        for (int r = 0; r < def.rowLabels.size(); ++r)
            grid->addWidget(new QLabel(def.rowLabels[r], body), r + 1, 0);
        for (const AdminInput& in : def.inputs)
            if (in.label.isEmpty()) {
                QWidget* w = makeInput(in, body);
                grid->addWidget(w, in.row + 1, in.column, Qt::AlignCenter);
                order.push_back(w);
            }
        grid->setColumnStretch(int(def.columnHeads.size()) + 1, 1);
        v->addLayout(grid);
        v->addSpacing(8);
    }

    // Lines: label, input, suffix, in blocks side by side (`column`), headings above their lines.
    std::vector<const AdminInput*> lineInputs;
    for (const AdminInput& in : def.inputs)
        if (!in.label.isEmpty())
            lineInputs.push_back(&in);
    std::stable_sort(lineInputs.begin(), lineInputs.end(), [](const AdminInput* a, const AdminInput* b) {
        return a->column != b->column ? a->column < b->column : a->row < b->row;
    });
    if (!lineInputs.empty()) {
        auto* blocks = new QHBoxLayout;
        blocks->setSpacing(32);
        std::map<int, std::pair<QGridLayout*, int>> grids; // block -> layout, next row
        for (const AdminInput* in : lineInputs) {
            auto& [lines, row] = grids[in->column];
            if (!lines) {
                lines = new QGridLayout;
                lines->setHorizontalSpacing(8);
                lines->setVerticalSpacing(4);
                auto* holder = new QVBoxLayout;
                holder->addLayout(lines);
                holder->addStretch(1);
                blocks->addLayout(holder);
            }
            if (!in->heading.isEmpty()) {
                QLabel* heading = boldLabel(in->heading, body);
                heading->setWordWrap(true);
                lines->addWidget(heading, row++, 0, 1, 3);
            }
            QWidget* w = makeInput(*in, body);
            if (in->kind == InputKind::Check) {
                lines->addWidget(w, row, 0, 1, 3);
            } else {
                auto* label = new QLabel(in->label, body);
                // Only the long captions wrap, so the short ones keep one line.
                label->setWordWrap(in->label.size() > 48);
                if (label->wordWrap())
                    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(in->label) / 2 + 16);
                label->setBuddy(w);
                lines->addWidget(label, row, 0);
                lines->addWidget(w, row, 1);
                if (!in->suffix.isEmpty())
                    lines->addWidget(new QLabel(in->suffix, body), row, 2);
            }
            ++row;
            order.push_back(w);
        }
        blocks->addStretch(1);
        v->addLayout(blocks);
    }
    v->addStretch(1);
    EnterMovesOn(order, nullptr);

    // Tools under the page: explanations of the land pages, import and unlocking of the levels.
    QWidget* tools = nullptr;
    bool hasLevels = false, importable = false;
    for (const AdminInput& in : def.inputs) {
        hasLevels = hasLevels || in.level;
        importable = importable || in.importable();
    }
    if (hasLevels || importable) {
        tools = new QWidget;
        auto* h = new QHBoxLayout(tools);
        h->setContentsMargins(6, 4, 6, 4);
        if (def.page == AdminPage::Extravilan || def.page == AdminPage::Intravilan) {
            auto* explain = new QPushButton(t::Explanations(), tools);
            explain->setObjectName("Explicatii");
            explain->setAutoDefault(false);
            connect(explain, &QPushButton::clicked, this, [] {
                ui::ShowMessage(t::Explanations(), t::ExplanationsText(), ui::BtnOk, ui::KindInformatie);
            });
            h->addWidget(explain);
        }
        h->addStretch(1);
        if (importable) {
            auto* import = new QPushButton(t::ImportButton(), tools);
            import->setObjectName("Preia");
            import->setToolTip(t::ImportHint());
            import->setAutoDefault(false);
            connect(import, &QPushButton::clicked, this, &TForm4::ImportClick);
            h->addWidget(import);
        }
        if (hasLevels) {
            auto* unlock = new QPushButton(t::UnlockButton(), tools);
            unlock->setObjectName("Deblocheaza");
            unlock->setAutoDefault(false);
            const AdminPage page = def.page;
            connect(unlock, &QPushButton::clicked, this, [this, page] { UnlockClick(page); });
            h->addWidget(unlock);
            unlock_[def.page] = unlock;
        }
    }
    return titled(def, body, tools);
}

QWidget* TForm4::buildGeneralPage()
{
    const AdminPageDef& def = core::AdminPageOf(AdminPage::General);
    auto* body = new QWidget;
    auto* grid = new QGridLayout(body);
    grid->setHorizontalSpacing(16);
    std::vector<QWidget*> order;

    // Left: the unit's data, then the users.
    auto* data = new QFormLayout;
    data->setVerticalSpacing(4);
    data->setHorizontalSpacing(10);
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    QWidget* rateInput = nullptr;
    for (const AdminInput& in : def.inputs) {
        if (in.kind == InputKind::Check) {
            right->addWidget(makeInput(in, body));
        } else if (in.column == 0) {
            QWidget* w = makeInput(in, body);
            data->addRow(in.label, w);
            order.push_back(w);
        } else {
            rateInput = makeInput(in, body);
        }
    }
    auto* left = new QVBoxLayout;
    left->addLayout(data);

    auto* usersBox = new QGroupBox(t::UsersGroup(), body);
    auto* usersLayout = new QHBoxLayout(usersBox);
    usersModel_ = new QStandardItemModel(0, 5, this);
    usersModel_->setHorizontalHeaderLabels(
        {t::UserHeadName(), t::UserHeadRank(), t::UserHeadLegit(), t::UserHeadSeries(), t::UserHeadNumber()});
    usersView_ = makeGrid(usersModel_, "Utilizatori", usersBox);
    usersView_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    usersView_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    usersView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    usersLayout->addWidget(usersView_, 1);
    auto* userButtons = new QVBoxLayout;
    const std::vector<std::pair<QString, void (TForm4::*)()>> userOps = {
        {t::AddUserButton(), &TForm4::AddUserClick},
        {t::ModifyUserButton(), &TForm4::ModifyUserClick},
        {t::DeleteUserButton(), &TForm4::DeleteUserClick},
    };
    for (const auto& [caption, slot] : userOps) {
        auto* b = new QPushButton(caption, usersBox);
        b->setObjectName(caption);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        userButtons->addWidget(b);
    }
    userButtons->addStretch(1);
    usersLayout->addLayout(userButtons);
    left->addWidget(usersBox, 1);

    // Right: options, classification codes, the inflation.
    auto* codes = new QPushButton(t::ClassificationCodes(), body);
    codes->setObjectName("CoduriClasificare");
    codes->setAutoDefault(false);
    codes->setEnabled(bool(context_.openClassificationCodes));
    connect(codes, &QPushButton::clicked, this, [this] {
        if (context_.openClassificationCodes)
            context_.openClassificationCodes();
    });
    right->addSpacing(6);
    right->addWidget(codes, 0, Qt::AlignLeft);

    auto* inflation = new QGroupBox(body);
    auto* inf = new QGridLayout(inflation);
    inf->setVerticalSpacing(2);
    inf->addWidget(boldLabel(t::InflationHistoryLabel(), inflation), 0, 0, 1, 3);
    int k = 0;
    for (const core::InflationYear& y : core::InflationHistory()) {
        auto* year = new QLabel(QString::number(y.year) + QStringLiteral(" = "), inflation);
        year->setObjectName(QStringLiteral("Anul%1").arg(k));
        auto* rate = new QLabel(y.rate, inflation);
        rate->setObjectName(QStringLiteral("Inf%1").arg(k));
        rate->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        inf->addWidget(year, k + 1, 0, Qt::AlignRight);
        inf->addWidget(rate, k + 1, 1);
        inf->addWidget(new QLabel(QStringLiteral("% "), inflation), k + 1, 2);
        ++k;
    }
    inf->setColumnStretch(3, 1);
    const AdminInput* rateDef = values_.input(QString::fromLatin1(core::admin_names::RataInfE));
    auto* rateRow = new QHBoxLayout;
    rateRow->addWidget(new QLabel(rateDef->label, inflation));
    rateRow->addSpacing(6);
    rateRow->addWidget(rateInput);
    rateRow->addWidget(new QLabel(rateDef->suffix, inflation));
    rateRow->addStretch(1);
    inf->addLayout(rateRow, k + 1, 0, 1, 4);
    order.push_back(rateInput);
    right->addSpacing(6);
    right->addWidget(inflation);
    right->addStretch(1);

    // Bottom: the three paths, each with its two buttons.
    auto* pathsBox = new QGroupBox(body);
    auto* pg = new QGridLayout(pathsBox);
    pg->setVerticalSpacing(3);
    struct PathRow {
        QString caption;
        QLabel** label;
        const char* name;
        QString chooseHint;
        void (TForm4::*choose)();
        QString offHint;
        void (TForm4::*off)();
    };
    const std::vector<PathRow> rows = {
        {t::ServerPathLabel(), &serverLabel_, "CaleServer", t::ServerChooseHint(), &TForm4::ServerChooseClick,
         t::ServerOffHint(), &TForm4::ServerOffClick},
        {t::BackupPathLabel(), &backupLabel_, "CaleSalvari", t::BackupChooseHint(), &TForm4::BackupChooseClick,
         t::BackupOffHint(), &TForm4::BackupOffClick},
        {t::RaPathLabel(), &raLabel_, "CaleRA", t::RaChooseHint(), &TForm4::RaChooseClick, t::RaOffHint(),
         &TForm4::RaOffClick},
    };
    int r = 0;
    for (const PathRow& p : rows) {
        pg->addWidget(boldLabel(p.caption, pathsBox), r, 0);
        auto* label = new QLabel(t::NoPath(), pathsBox);
        label->setObjectName(QString::fromLatin1(p.name));
        label->setFrameShape(QFrame::StyledPanel);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        *p.label = label;
        pg->addWidget(label, r, 1);
        auto* choose = new QToolButton(pathsBox);
        choose->setObjectName(QString::fromLatin1(p.name) + QStringLiteral("Modifica"));
        choose->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
        choose->setToolTip(p.chooseHint);
        connect(choose, &QToolButton::clicked, this, p.choose);
        auto* off = new QToolButton(pathsBox);
        off->setObjectName(QString::fromLatin1(p.name) + QStringLiteral("Sterge"));
        off->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
        off->setToolTip(p.offHint);
        connect(off, &QToolButton::clicked, this, p.off);
        pg->addWidget(choose, r, 2);
        pg->addWidget(off, r, 3);
        ++r;
    }
    pg->setColumnStretch(1, 1);

    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addWidget(pathsBox, 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 0);
    grid->setRowStretch(0, 1);
    EnterMovesOn(order, nullptr);
    return titled(def, body, nullptr);
}

QWidget* TForm4::buildZonesPage()
{
    const AdminPageDef& def = core::AdminPageOf(AdminPage::Zones);
    auto* body = new QWidget;
    auto* h = new QHBoxLayout(body);

    zonesModel_ = new QStandardItemModel(0, 3, this);
    zonesModel_->setHorizontalHeaderLabels({t::ZonesHeadLocality(), t::ZonesHeadZone(), t::ZonesHeadRank()});
    zonesView_ = makeGrid(zonesModel_, "Zone", body);
    zonesView_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    zonesView_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    zonesView_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    h->addWidget(zonesView_, 3);

    auto* side = new QVBoxLayout;
    auto* defaults = new QFormLayout;
    std::vector<QWidget*> order;
    for (const AdminInput& in : def.inputs) {
        QWidget* w = makeInput(in, body);
        defaults->addRow(in.label, w);
        order.push_back(w);
    }
    side->addLayout(defaults);
    side->addSpacing(12);
    const std::vector<std::pair<QString, void (TForm4::*)()>> ops = {
        {t::AddVillageButton(), &TForm4::AddZoneClick},
        {t::ModifyVillageButton(), &TForm4::ModifyZoneClick},
        {t::DeleteVillageButton(), &TForm4::DeleteZoneClick},
    };
    for (const auto& [caption, slot] : ops) {
        auto* b = new QPushButton(caption, body);
        b->setObjectName(caption);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        side->addWidget(b);
    }
    side->addStretch(1);
    h->addLayout(side, 1);
    EnterMovesOn(order, nullptr);
    return titled(def, body, nullptr);
}

// --- opening and closing ---

QString TForm4::userName() const
{
    return core::CurrentUser().name;
}

void TForm4::prepare()
{
    endProgram_ = false;
    setResult(QDialog::Rejected);
    showPage(AdminPage::General);
    refreshZones();
    try {
        users_->Build(userName());
    } catch (const std::exception& e) {
        ui::ShowMessage(t::WindowCaption(), t::UsersFileErrorText(QString::fromUtf8(e.what())), ui::BtnOk,
                        ui::KindEroare);
    }
    refreshUsers();
    refreshPaths();
    for (auto& [page, button] : unlock_)
        button->setEnabled(!values_.isPageUnlocked(page));
    repolish(stack_);
}

void TForm4::finish()
{
    admin_->Load(userName());
    if (!admin_->problems().isEmpty())
        ui::ShowMessage(t::WindowCaption(), QStringLiteral("\r") + admin_->problems().join(QLatin1Char('\r')), ui::BtnOk,
                        ui::KindEroare);
    for (auto& [page, button] : unlock_)
        button->setEnabled(true);
    repolish(stack_);
}

TForm4::Closed TForm4::Open()
{
    prepare();
    const int result = runDialog_(*this);
    finish();
    if (endProgram_)
        return Closed::EndProgram;
    return result == QDialog::Accepted ? Closed::Saved : Closed::Cancelled;
}

void TForm4::showPage(AdminPage page)
{
    nav_->setCurrentRow(core::AdminEntryOfPage(page));
    stack_->setCurrentIndex(pageIndex(page));
}

AdminPage TForm4::currentPage() const
{
    return static_cast<AdminPage>(stack_->currentIndex());
}

QWidget* TForm4::page(AdminPage p) const
{
    return stack_->widget(pageIndex(p));
}

QWidget* TForm4::input(const QString& name) const
{
    return values_.widget(name);
}

QPushButton* TForm4::unlockButton(AdminPage page) const
{
    const auto it = unlock_.find(page);
    return it == unlock_.end() ? nullptr : it->second;
}

TFAddUser& TForm4::userDialog()
{
    if (!userDialog_)
        userDialog_ = std::make_unique<TFAddUser>(this);
    return *userDialog_;
}

TAddZonaF& TForm4::zoneDialog()
{
    if (!zoneDialog_)
        zoneDialog_ = std::make_unique<TAddZonaF>(this);
    return *zoneDialog_;
}

// --- save ---

void TForm4::SaveClick()
{
    core::AdminSettings::SaveHooks hooks;
    hooks.showPage = [this](AdminPage p) { showPage(p); };
    hooks.log = context_.log;
    if (admin_->Save(userName(), hooks) != core::AdminSettings::SaveOutcome::Saved)
        return;
    accept();
    if (context_.villagesChanged)
        context_.villagesChanged();
}

// --- grids ---

int TForm4::selectedRow(QTableView* view) const
{
    const QModelIndex current = view->currentIndex();
    return current.isValid() ? current.row() : (view->model()->rowCount() > 0 ? 0 : -1);
}

void TForm4::refreshUsers(const QString& select)
{
    usersModel_->removeRows(0, usersModel_->rowCount());
    int selected = -1;
    for (const core::UserRow& u : users_->rows()) {
        usersModel_->appendRow({item(u.name), item(u.rank), item(u.legit), item(u.series), item(u.number)});
        if (u.name == select)
            selected = usersModel_->rowCount() - 1;
    }
    if (selected < 0 && usersModel_->rowCount() > 0)
        selected = 0;
    if (selected >= 0)
        usersView_->setCurrentIndex(usersModel_->index(selected, 0));
}

void TForm4::refreshZones(int64_t selectId)
{
    const int previous = zonesView_->currentIndex().row();
    zonesModel_->removeRows(0, zonesModel_->rowCount());
    int selected = -1;
    try {
        for (const core::Village& v : villages_->List()) {
            QStandardItem* first = item(v.locality);
            first->setData(QVariant::fromValue<qlonglong>(v.id), Qt::UserRole);
            zonesModel_->appendRow({first, item(v.zone), item(v.rank)});
            if (v.id == selectId)
                selected = zonesModel_->rowCount() - 1;
        }
    } catch (const std::exception& e) {
        ui::ShowMessage(t::ZoneDialogCaption(), QStringLiteral("\r") + QString::fromUtf8(e.what()), ui::BtnOk,
                        ui::KindEroare);
    }
    const int rows = zonesModel_->rowCount();
    if (selected < 0 && rows > 0)
        selected = std::clamp(previous, 0, rows - 1);
    if (selected >= 0)
        zonesView_->setCurrentIndex(zonesModel_->index(selected, 0));
}

void TForm4::refreshPaths()
{
    serverLabel_->setText(paths_->serverLabel());
    backupLabel_->setText(paths_->backupsLabel());
    raLabel_->setText(paths_->agriculturalRegisterLabel());
}

// --- villages ---

void TForm4::AddZoneClick()
{
    TAddZonaF& d = zoneDialog();
    d.prepareAdd(values_.text(QString::fromLatin1(core::admin_names::ZonaImplicita)),
                 values_.text(QString::fromLatin1(core::admin_names::RangImplicit)));
    d.setCheck([this](const QString& locality, QString* cleaned) {
        return villages_->Check(locality, std::nullopt, cleaned);
    });
    if (runDialog_(d) != QDialog::Accepted)
        return;
    try {
        refreshZones(villages_->Add(d.locality(), d.zone(), d.rank()));
    } catch (const std::exception& e) {
        ui::ShowMessage(t::AddZoneTitle(), QStringLiteral("\r") + QString::fromUtf8(e.what()), ui::BtnOk,
                        ui::KindEroare);
    }
}

void TForm4::ModifyZoneClick()
{
    const int row = selectedRow(zonesView_);
    if (row < 0) {
        ui::ShowProblem(t::NothingToModify(), zonesView_);
        return;
    }
    const int64_t id = zonesModel_->item(row, 0)->data(Qt::UserRole).toLongLong();
    TAddZonaF& d = zoneDialog();
    d.prepareModify(zonesModel_->item(row, 0)->text(), zonesModel_->item(row, 1)->text(),
                    zonesModel_->item(row, 2)->text());
    d.setCheck([this, id](const QString& locality, QString* cleaned) {
        return villages_->Check(locality, id, cleaned);
    });
    if (runDialog_(d) != QDialog::Accepted)
        return;
    try {
        villages_->Modify(id, d.locality(), d.zone(), d.rank());
    } catch (const std::exception& e) {
        ui::ShowMessage(t::ModifyZoneTitle(), QStringLiteral("\r") + QString::fromUtf8(e.what()), ui::BtnOk,
                        ui::KindEroare);
    }
    refreshZones(id);
}

void TForm4::DeleteZoneClick()
{
    const int row = selectedRow(zonesView_);
    if (row < 0) {
        ui::ShowProblem(t::NothingToDeleteVillages(), zonesView_);
        return;
    }
    if (!ui::AskYes(t::DeleteVillageTitle(), t::DeleteVillageQuestion()))
        return;
    const int64_t id = zonesModel_->item(row, 0)->data(Qt::UserRole).toLongLong();
    try {
        villages_->Remove(id);
    } catch (const std::exception& e) {
        ui::ShowMessage(t::DeleteVillageTitle(), QStringLiteral("\r") + QString::fromUtf8(e.what()), ui::BtnOk,
                        ui::KindEroare);
    }
    zonesView_->setCurrentIndex(zonesModel_->index(row, 0));
    refreshZones(); // on the next row, or the previous one after the last
}

// --- users ---

void TForm4::AddUserClick()
{
    TFAddUser& d = userDialog();
    d.prepareAdd();
    d.setCheck([this](core::UserInput& in, bool adding) { return users_->CheckDialog(in, adding); });
    if (runDialog_(d) != QDialog::Accepted)
        return;
    const core::UserInput in = d.input();
    if (users_->Add(in).isEmpty())
        refreshUsers(in.name);
}

void TForm4::ModifyUserClick()
{
    const int row = selectedRow(usersView_);
    const QString problem = users_->CheckModify(row);
    if (!problem.isEmpty()) {
        ui::ShowProblem(problem, usersView_);
        return;
    }
    TFAddUser& d = userDialog();
    d.prepareModify(users_->rows()[size_t(row)]);
    d.setCheck([this](core::UserInput& in, bool adding) { return users_->CheckDialog(in, adding); });
    if (runDialog_(d) != QDialog::Accepted)
        return;
    const core::UserInput in = d.input();
    users_->Modify(in);
    refreshUsers(in.name);
}

void TForm4::DeleteUserClick()
{
    const int row = selectedRow(usersView_);
    const QString problem = users_->CheckDelete(row);
    if (!problem.isEmpty()) {
        ui::ShowProblem(problem, usersView_);
        return;
    }
    bool deleted = false;
    users_->Delete(row, &deleted);
    const auto& rows = users_->rows();
    refreshUsers(rows.empty() ? QString() : rows[size_t(std::min<int>(row, int(rows.size()) - 1))].name);
}

// --- paths ---

void TForm4::pathOutcome(core::AdminPaths::Outcome outcome)
{
    refreshPaths();
    if (outcome == core::AdminPaths::Outcome::EndProgram) {
        endProgram_ = true;
        reject();
    }
}

void TForm4::ServerChooseClick() { pathOutcome(paths_->ChooseServer()); }
void TForm4::ServerOffClick() { pathOutcome(paths_->ServerOff(serverLabel_)); }
void TForm4::BackupChooseClick() { pathOutcome(paths_->ChooseBackups()); }
void TForm4::BackupOffClick() { pathOutcome(paths_->BackupsOff(backupLabel_)); }
void TForm4::RaChooseClick() { pathOutcome(paths_->ChooseAgriculturalRegister()); }
void TForm4::RaOffClick() { pathOutcome(paths_->AgriculturalRegisterOff(raLabel_)); }

// --- legal levels ---

void TForm4::ImportClick()
{
    QString work = base::MakeWorkFolder(context_.folders, QStringLiteral("IniImp"));
    if (work.isEmpty())
        work = QDir(context_.folders.temp).filePath(QStringLiteral("IniImp"));
    // Last year's data folder is the likely source.
    QString start = registry::ReadRegistry(QStringLiteral("CALE"), base::edition::PreviousEditionNumber);
    if (!start.isEmpty())
        start = QDir(start).filePath(QStringLiteral("Data"));
    if (!QFileInfo(start).isDir())
        start.clear();
    admin_->ImportLevelsChosen(start, work);
    base::DeleteFolder(context_.folders, work);
}

void TForm4::UnlockClick(AdminPage page)
{
    if (!admin_->UnlockPage(page))
        return;
    if (QPushButton* b = unlockButton(page))
        b->setEnabled(false);
    repolish(this->page(page));
}

// --- the command and the start-up ---

CommandAction AdministrareAction(std::function<TForm4::Context()> makeContext, core::AdminValues& values)
{
    auto window = std::make_shared<std::unique_ptr<TForm4>>();
    return [window, makeContext = std::move(makeContext), &values](TForm3& form) {
        if (!*window)
            *window = std::make_unique<TForm4>(makeContext(), values, &form);
        if ((*window)->Open() == TForm4::Closed::EndProgram)
            form.EndProgram();
    };
}

std::function<void(StartupSequence&)> AdministratorLoader(core::AdminValues& values)
{
    return [&values](StartupSequence& sequence) {
        core::AdminSettings settings(values, sequence.database(), sequence.settings());
        settings.Load(core::CurrentUser().name);
    };
}

} // namespace lirma::app
