#include "register/tgospodarii.h"

#include "assessment/levy_texts.h"
#include "assessment/taxe_an_page.h"
#include "core/banded_header.h"
#include "db/data_folder.h"
#include "db/setting_keys.h"
#include "platform/ui/gradient_panel.h"
#include "platform/ui/interaction.h"
#include "platform/ui/upper_case.h"
#include "register/asset_page_view.h"
#include "register/buildings_page.h"
#include "register/field_keys.h"
#include "register/register_texts.h"
#include "register/taxpayer_model.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace lirma::reg {

namespace {

// The navigation list: what each entry shows. Entry k >= 2 shows page k - 1 of the page
// control; the buildings page is a page of its own (BuildingsPage), and so is the last one, the
// year's operations (assessment::TaxeAnPage).
struct NavEntry {
    enum Kind { Identification, Heading, Page, Buildings, YearOperations } kind;
    AssetPage page = AssetPage::Pag1;
};

const std::vector<NavEntry>& navEntries()
{
    static const std::vector<NavEntry> entries = {
        {NavEntry::Identification}, {NavEntry::Heading},           {NavEntry::Page, AssetPage::Pag1},
        {NavEntry::Buildings},      {NavEntry::Page, AssetPage::Pag4}, {NavEntry::Page, AssetPage::Pag5},
        {NavEntry::Page, AssetPage::Pag6}, {NavEntry::Page, AssetPage::Pag7}, {NavEntry::Page, AssetPage::Pag8},
        {NavEntry::Page, AssetPage::Pag9}, {NavEntry::Page, AssetPage::Pag10}, {NavEntry::Page, AssetPage::Pag11},
        {NavEntry::YearOperations},
    };
    return entries;
}

int entryOfKind(NavEntry::Kind kind)
{
    const auto& entries = navEntries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].kind == kind)
            return int(i);
    return -1;
}

QLabel* boldLabel(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QLabel* valueLabel(QWidget* parent, const char* name)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

TGospodarii::TGospodarii(storage::Database& db, db::Settings& settings, db::Counters& counters,
                         core::AdminValues& admin, QWidget* parent)
    : QDialog(parent), db_(db), settings_(settings), admin_(admin), reg_(db, counters), pages_(db, settings)
{
    setObjectName("TGospodarii");
    setWindowTitle(text::WindowCaption());
    setModal(true);
    resize(1240, 720);

    // Header: the selected taxpayer.
    auto* head = new ui::GradientPanel(QColor(70, 110, 160), QColor(255, 255, 255), Qt::Horizontal, this);
    head->setObjectName("Header");
    head->setFixedHeight(40);
    headSat_ = boldLabel(QString(), head);
    headSat_->setObjectName("HeaderSat");
    headName_ = boldLabel(QString(), head);
    headName_->setObjectName("HeaderNume");
    headRol_ = boldLabel(QString(), head);
    headRol_->setObjectName("HeaderRol");
    for (QLabel* l : {headSat_, headName_, headRol_}) {
        QFont f = l->font();
        f.setPointSizeF(f.pointSizeF() * 1.2);
        l->setFont(f);
    }
    headSat_->setStyleSheet(QStringLiteral("color: white"));
    headName_->setStyleSheet(QStringLiteral("color: white"));
    auto* rolCaption = boldLabel(text::HeaderRol(), head);
    rolCaption->setFont(headRol_->font());
    auto* headLayout = new QHBoxLayout(head);
    headLayout->setContentsMargins(12, 0, 16, 0);
    headLayout->setSpacing(18);
    headLayout->addWidget(headSat_);
    headLayout->addWidget(headName_, 1);
    headLayout->addWidget(rolCaption);
    headLayout->addWidget(headRol_);

    nav_ = new QListWidget(this);
    nav_->setObjectName("ListView1");
    nav_->setFixedWidth(std::max(fontMetrics().horizontalAdvance(QStringLiteral("   - auto combinatii peste 12 t")),
                                 fontMetrics().horizontalAdvance(assessment::yeartext::YearPageNavEntry()))
                        + 24);
    for (const NavEntry& e : navEntries()) {
        QString caption;
        switch (e.kind) {
        case NavEntry::Identification: caption = text::NavIdentification(); break;
        case NavEntry::Heading: caption = text::NavHeading(); break;
        case NavEntry::Page: caption = PageDefOf(e.page).navEntry; break;
        case NavEntry::Buildings: caption = text::NavBuildings(); break;
        case NavEntry::YearOperations: caption = assessment::yeartext::YearPageNavEntry(); break;
        }
        auto* item = new QListWidgetItem(caption, nav_);
        if (e.kind == NavEntry::Heading) {
            QFont f = item->font();
            f.setBold(true);
            item->setFont(f);
            item->setFlags(Qt::ItemIsEnabled);
        }
    }
    connect(nav_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { ListView1SelectItem(nav_->row(item)); });
    connect(nav_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!navigating_ && row >= 0)
            ListView1SelectItem(row);
    });

    stack_ = new QStackedWidget(this);
    stack_->setObjectName("PageControl");
    buildIdentification();
    stack_->addWidget(ident_);
    buildings_ = new BuildingsPage(db_, settings_, counters, admin_, stack_);
    stack_->addWidget(buildings_);
    for (const PageDef& d : AssetPageDefs()) {
        auto* view = new AssetPageView(d.page, stack_);
        views_[d.page] = view;
        stack_->addWidget(view);
        const AssetPage page = d.page;
        connect(view, &AssetPageView::edited, this, [this, view] {
            if (!loading_)
                view->setPendingChanges(true);
        });
        connect(view, &AssetPageView::cancelRequested, this, [this, page] { CancelPage(page); });
        connect(view, &AssetPageView::saveRequested, this, [this, page] { SavePage(page); });
        auto* enter = new EnterMovesOn(view);
        for (int i = 0; i < view->fieldCount(); ++i)
            enter->watch(view->field(i));
    }
    taxeAn_ = new assessment::TaxeAnPage(db_, counters, admin_, stack_);
    stack_->addWidget(taxeAn_);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(6, 6, 6, 6);
    body->addWidget(nav_);
    // The pages, and below them the rows of buttons the assessment adds (AddBelowPages).
    pagesColumn_ = new QVBoxLayout;
    pagesColumn_->setContentsMargins(0, 0, 0, 0);
    pagesColumn_->addWidget(stack_, 1);
    body->addLayout(pagesColumn_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(head);
    layout->addLayout(body, 1);
}

TGospodarii::~TGospodarii() = default;

void TGospodarii::buildIdentification()
{
    ident_ = new QWidget(this);
    ident_->setObjectName("IdentificareP");

    satCombo_ = new QComboBox(ident_);
    satCombo_->setObjectName("SatCombo");
    satCombo_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
    rolEd_ = new QLineEdit(ident_);
    rolEd_->setObjectName("ROLEd");
    ui::MakeUpperCaseField(rolEd_, kRoleWidth);
    rolEd_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMMM")) + 12);
    numeEd_ = new QLineEdit(ident_);
    numeEd_->setObjectName("NumeEd");
    ui::MakeUpperCaseField(numeEd_, kNameWidth);
    numeEd_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16);
    connect(satCombo_, &QComboBox::currentIndexChanged, this, [this] {
        if (!opening_)
            PuneFiltru();
    });
    for (QLineEdit* e : {rolEd_, numeEd_})
        connect(e, &QLineEdit::textChanged, this, [this] {
            if (!opening_)
                PuneFiltru();
        });
    auto* enter = new EnterMovesOn(ident_);
    for (QWidget* w : std::initializer_list<QWidget*>{satCombo_, rolEd_, numeEd_})
        enter->watch(w);

    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(text::Localitatea(), ident_));
    filters->addWidget(satCombo_);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(text::NrRolUnic(), ident_));
    filters->addWidget(rolEd_);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(text::NumeDenumire(), ident_));
    filters->addWidget(numeEd_, 1);

    model_ = new TaxpayerModel(reg_, this);
    grid_ = new QTableView(ident_);
    grid_->setObjectName("SMDBGrid3");
    header_ = new core::BandedHeaderView(TaxpayerModel::Bands(), grid_);
    grid_->setHorizontalHeader(header_);
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setAlternatingRowColors(true);
    grid_->setWordWrap(false);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    header_->setSectionsClickable(true);
    header_->setHighlightSections(false);
    const QFontMetrics fm = grid_->fontMetrics();
    const int m = fm.horizontalAdvance(QLatin1Char('M'));
    const int small = fm.horizontalAdvance(QStringLiteral("T. intrv")) + 10;
    const int widths[kGridColumnCount] = {fm.horizontalAdvance(QStringLiteral("VALEA LUNGA")) + 14,
                                          fm.horizontalAdvance(QStringLiteral("000000000")) + 10, m * 16,
                                          fm.horizontalAdvance(QStringLiteral("JURIDICA")) + 10,
                                          fm.horizontalAdvance(QStringLiteral("Nr. pers.")) + 10,
                                          fm.horizontalAdvance(QStringLiteral("0000000000000")) + 10, m * 9, m * 9,
                                          small, small, small, small, small};
    for (int c = 0; c < kGridColumnCount; ++c)
        grid_->setColumnWidth(c, widths[c]);
    connect(header_, &QHeaderView::sectionClicked, this, &TGospodarii::SMDBGrid3TitleClick);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { rowChanged(); });

    total_ = valueLabel(ident_, "TotalLab");
    remarks_ = valueLabel(ident_, "ObsLab");
    remarks_->setWordWrap(true);
    heirs_ = valueLabel(ident_, "MostLab");
    heirs_->setWordWrap(true);
    noPenaltyCaption_ = new QLabel(text::ScutitDeMajorari(), ident_);
    noPenaltyCaption_->setObjectName("NoTaxCaption");
    noPenalty_ = valueLabel(ident_, "NoTaxLab");
    add_ = new QPushButton(text::AddButton(), ident_);
    add_->setObjectName("AddBut");
    modify_ = new QPushButton(text::ModifyButton(), ident_);
    modify_->setObjectName("ModBut");
    delete_ = new QPushButton(text::DeleteButton(), ident_);
    delete_->setObjectName("DelBut");
    for (QPushButton* b : {add_, modify_, delete_}) {
        b->setAutoDefault(false);
        b->setMinimumWidth(120);
    }
    connect(add_, &QPushButton::clicked, this, &TGospodarii::AddGospodarie);
    connect(modify_, &QPushButton::clicked, this, &TGospodarii::EditGospodarie);
    connect(delete_, &QPushButton::clicked, this, &TGospodarii::DelGospodarie);

    auto* info = new QGridLayout;
    info->setColumnStretch(1, 1);
    info->addWidget(new QLabel(text::TotalShown(), ident_), 0, 0);
    info->addWidget(total_, 0, 1);
    info->addWidget(new QLabel(text::Observatii(), ident_), 1, 0, Qt::AlignTop);
    info->addWidget(remarks_, 1, 1);
    info->addWidget(new QLabel(text::Mostenitori(), ident_), 2, 0, Qt::AlignTop);
    info->addWidget(heirs_, 2, 1);
    info->addWidget(noPenaltyCaption_, 3, 0);
    info->addWidget(noPenalty_, 3, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(modify_);
    buttons->addWidget(delete_);
    buttons->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(info, 1);
    bottom->addSpacing(12);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(ident_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(filters);
    layout->addWidget(grid_, 1);
    layout->addLayout(bottom);
}

AssetPageView* TGospodarii::pageView(AssetPage page) const
{
    auto it = views_.find(page);
    return it == views_.end() ? nullptr : it->second;
}

TAddGosF& TGospodarii::dialog()
{
    if (!dialog_)
        dialog_ = std::make_unique<TAddGosF>(this);
    return *dialog_;
}

int TGospodarii::EntryOfBuildings()
{
    const auto& entries = navEntries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].kind == NavEntry::Buildings)
            return int(i);
    return -1;
}

int TGospodarii::EntryOfYearOperations() { return entryOfKind(NavEntry::YearOperations); }

void TGospodarii::AddBelowPages(QWidget* widget)
{
    widget->setParent(this);
    pagesColumn_->addWidget(widget);
}

int TGospodarii::EntryOfPage(AssetPage page)
{
    const auto& entries = navEntries();
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].kind == NavEntry::Page && entries[i].page == page)
            return int(i);
    return -1;
}

std::optional<AssetPage> TGospodarii::PageOfEntry(int entry)
{
    const auto& entries = navEntries();
    if (entry < 0 || entry >= int(entries.size()) || entries[size_t(entry)].kind != NavEntry::Page)
        return std::nullopt;
    return entries[size_t(entry)].page;
}

void TGospodarii::Open()
{
    Prepare();
    exec();
}

void TGospodarii::Prepare()
{
    opening_ = true;
    try {
        reg_.Reload();
        RefreshVillages();
        satCombo_->setCurrentIndex(0);
        rolEd_->clear();
        numeEd_->clear();
        remarks_->clear();
        heirs_->clear();
        const bool faraMajorari = settings_.isOn(db::keys::FARAMAJORARI);
        noPenaltyCaption_->setVisible(faraMajorari);
        noPenalty_->setVisible(faraMajorari);
        applyZoneHeadings();
        for (auto& [page, view] : views_)
            view->setPendingChanges(false);
        showIdentification();
        nav_->blockSignals(true);
        nav_->setCurrentRow(0); // the identification page is shown
        nav_->blockSignals(false);
        satCombo_->setFocus(Qt::OtherFocusReason);
    } catch (const std::exception& e) {
        opening_ = false;
        showError(e);
        return;
    }
    opening_ = false;
    PuneFiltru();
}

void TGospodarii::RefreshVillages()
{
    const QString keep = satCombo_->currentText();
    QStringList villages = db::VillageList(db_);
    if (villages.isEmpty())
        villages.push_back(db::AnyVillage());
    const bool wasOpening = opening_;
    opening_ = true;
    satCombo_->clear();
    satCombo_->addItems(villages);
    const int i = satCombo_->findText(keep);
    satCombo_->setCurrentIndex(i >= 0 ? i : 0);
    opening_ = wasOpening;
    if (!opening_ && i < 0 && !keep.isEmpty())
        PuneFiltru();
}

void TGospodarii::addVillage(const QString& village)
{
    if (village.isEmpty() || satCombo_->findText(village) >= 0)
        return;
    const bool wasOpening = opening_;
    opening_ = true;
    int at = 1;
    while (at < satCombo_->count() && satCombo_->itemText(at).compare(village) < 0)
        ++at;
    satCombo_->insertItem(at, village);
    opening_ = wasOpening;
}

void TGospodarii::applyZoneHeadings()
{
    QStringList outside, inside;
    for (int c = 1; c <= 5; ++c)
        outside << admin_.text(QStringLiteral("TEZ%1").arg(c)) + QLatin1Char(' ') + admin_.text(QStringLiteral("TER%1").arg(c));
    for (int c = 1; c <= 6; ++c)
        inside << admin_.text(QStringLiteral("TIZ%1").arg(c)) + QLatin1Char(' ') + admin_.text(QStringLiteral("TIR%1").arg(c));
    views_[AssetPage::Pag1]->setColumnHeadings(outside);
    views_[AssetPage::Pag4]->setColumnHeadings(inside);
}

int64_t TGospodarii::selectedId() const
{
    const Taxpayer* t = selected();
    return t ? t->idgos : -1;
}

const Taxpayer* TGospodarii::selected() const
{
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid() || current.row() >= reg_.visibleCount())
        return nullptr;
    return &reg_.visible(current.row());
}

bool TGospodarii::selectTaxpayer(int64_t idgos)
{
    const int row = reg_.rowOf(idgos);
    if (row < 0)
        return false;
    grid_->selectRow(row);
    grid_->setCurrentIndex(model_->index(row, 0));
    grid_->scrollTo(model_->index(row, 0));
    return true;
}

void TGospodarii::refreshGrid(std::optional<int64_t> select)
{
    model_->refresh();
    if (!select || !selectTaxpayer(*select)) {
        if (reg_.visibleCount() > 0)
            selectTaxpayer(reg_.visible(0).idgos);
    }
    rowChanged();
}

void TGospodarii::rowChanged()
{
    total_->setText(QString::number(reg_.visibleCount()));
    const Taxpayer* t = selected();
    headSat_->setText(t ? t->satul : QString());
    headName_->setText(t ? t->numep : QString());
    headRol_->setText(t ? t->rol : QString());
    std::optional<Taxpayer> full;
    try {
        if (t)
            full = reg_.Fetch(t->idgos);
    } catch (const std::exception&) {
        // The labels stay empty; the next command reports what is wrong with the table.
    }
    remarks_->setText(full ? full->remarks() : QString());
    heirs_->setText(full ? full->most : QString());
    noPenalty_->setText(full ? full->notax : QString());
}

void TGospodarii::PuneFiltru()
{
    const int64_t keep = selectedId();
    reg_.SetFilter(satCombo_->currentIndex() > 0 ? satCombo_->currentText() : QString(), rolEd_->text(),
                   numeEd_->text());
    refreshGrid(keep >= 0 ? std::optional<int64_t>(keep) : std::nullopt);
}

void TGospodarii::SMDBGrid3TitleClick(int column)
{
    if (reg_.visibleCount() == 0 || column < 0 || column >= kGridColumnCount)
        return;
    const int64_t keep = selectedId();
    try {
        reg_.SortBy(GridColumn(column));
        reg_.Reload();
    } catch (const std::exception& e) {
        showError(e);
    }
    refreshGrid(keep);
}

TAddGosF::Lists TGospodarii::dialogLists()
{
    TAddGosF::Lists lists;
    for (int i = 1; i < satCombo_->count(); ++i)
        lists.villages << satCombo_->itemText(i);
    lists.streets = reg_.Streets();
    lists.operators = reg_.Operators();
    lists.showNoPenalty = settings_.isOn(db::keys::FARAMAJORARI);
    return lists;
}

void TGospodarii::AddGospodarie()
{
    try {
        TAddGosF& d = dialog();
        const QString village = satCombo_->currentIndex() > 0 ? satCombo_->currentText() : QString();
        d.ResetForAdd(dialogLists(), village, reg_.SuggestRole());
        const bool ok = d.ShowDialog(text::AddCaption(), [this](TaxpayerInput& in, const TaxpayerRegister::FieldWidget& w,
                                                               InputField* focus) {
            return reg_.Validate(in, std::nullopt, w, focus);
        });
        if (!ok)
            return;
        const TaxpayerInput input = d.accepted();
        const int64_t id = reg_.Add(input);
        reg_.Reload();
        addVillage(input.village);
        refreshGrid(id);
    } catch (const std::exception& e) {
        showError(e);
    }
}

void TGospodarii::EditGospodarie()
{
    const Taxpayer* current = selected();
    if (!current) {
        ui::ShowProblem(text::NothingToModify(), grid_);
        return;
    }
    try {
        const std::optional<Taxpayer> stored = reg_.Fetch(current->idgos);
        if (!stored) {
            // Deleted at another workstation meanwhile.
            ui::ShowProblem(text::NothingToModify(), grid_);
            reg_.Reload();
            refreshGrid(std::nullopt);
            return;
        }
        const Taxpayer t = *stored;
        TAddGosF& d = dialog();
        d.FillForEdit(dialogLists(), t);
        const bool ok = d.ShowDialog(text::ModifyCaption(), [this, &t](TaxpayerInput& in,
                                                                    const TaxpayerRegister::FieldWidget& w,
                                                                    InputField* focus) {
            return reg_.Validate(in, t.idgos, w, focus);
        });
        if (!ok)
            return;
        const TaxpayerInput input = d.accepted();
        reg_.Modify(t.idgos, input);
        addVillage(input.village);
        reg_.Reload();
        refreshGrid(t.idgos);
    } catch (const std::exception& e) {
        showError(e);
    }
}

void TGospodarii::DelGospodarie()
{
    const Taxpayer* current = selected();
    if (!current) {
        ui::ShowProblem(text::NothingToDelete(), grid_);
        return;
    }
    const Taxpayer t = *current;
    try {
        if (!reg_.ConfirmDelete(t))
            return;
        // The row before the deleted one, or after it when it was the first.
        std::optional<int64_t> next;
        const int row = reg_.rowOf(t.idgos);
        if (row > 0)
            next = reg_.visible(row - 1).idgos;
        else if (row + 1 < reg_.visibleCount())
            next = reg_.visible(row + 1).idgos;
        reg_.Delete(t.idgos, &ui::interaction().progress());
        reg_.Reload();
        refreshGrid(next);
    } catch (const std::exception& e) {
        showError(e);
    }
}

void TGospodarii::showIdentification()
{
    current_.reset();
    stack_->setCurrentWidget(ident_);
}

bool TGospodarii::ListView1SelectItem(int entry)
{
    if (opening_ || navigating_ || !reg_.loaded() || reg_.visibleCount() == 0)
        return false;
    const auto& entries = navEntries();
    if (entry < 0 || entry >= int(entries.size()))
        return false;
    const NavEntry& e = entries[size_t(entry)];
    auto backToCurrent = [this] {
        navigating_ = true;
        nav_->setCurrentRow(current_                                 ? EntryOfPage(*current_)
                            : stack_->currentWidget() == buildings_ ? EntryOfBuildings()
                            : stack_->currentWidget() == taxeAn_    ? EntryOfYearOperations()
                                                                    : 0);
        navigating_ = false;
    };
    if (e.kind == NavEntry::Heading) {
        backToCurrent();
        return false;
    }
    if (!LeavePage()) {
        backToCurrent();
        return false;
    }
    navigating_ = true;
    nav_->setCurrentRow(entry);
    navigating_ = false;
    if (e.kind == NavEntry::Identification) {
        showIdentification();
        return true;
    }
    if (e.kind == NavEntry::Buildings) {
        current_.reset();
        stack_->setCurrentWidget(buildings_);
        if (const Taxpayer* t = selected())
            buildings_->Load(*t);
        return true;
    }
    if (e.kind == NavEntry::YearOperations) {
        current_.reset();
        stack_->setCurrentWidget(taxeAn_);
        if (const Taxpayer* t = selected())
            taxeAn_->setTaxpayer({t->idgos, t->satul, t->rol});
        return true;
    }
    current_ = e.page;
    stack_->setCurrentWidget(views_[e.page]);
    loadPage(e.page);
    return true;
}

void TGospodarii::loadPage(AssetPage page)
{
    if (loading_) {
        reloadPending_ = true;
        return;
    }
    AssetPageView* view = views_[page];
    loading_ = true;
    try {
        do {
            reloadPending_ = false;
            const int64_t id = selectedId();
            if (id < 0)
                break;
            view->setValues(pages_.Load(page, id));
            view->setPendingChanges(false);
            view->setReadOnly(pages_.YearLocked());
        } while (reloadPending_);
    } catch (const std::exception& e) {
        loading_ = false;
        showError(e);
        return;
    }
    loading_ = false;
}

bool TGospodarii::SavePage(AssetPage page)
{
    AssetPageView* view = views_[page];
    const int64_t id = selectedId();
    if (id < 0)
        return false;
    PageProblem problem;
    AssetPages::SaveOutcome outcome;
    try {
        outcome = pages_.Save(page, id, view->values(), &problem);
    } catch (const std::exception& e) {
        showError(e);
        return false;
    }
    switch (outcome) {
    case AssetPages::SaveOutcome::Saved:
        view->setPendingChanges(false);
        return true;
    case AssetPages::SaveOutcome::Refused:
        if (problem.field >= 0) {
            ui::ShowProblem(problem.message, view->field(problem.field));
            view->field(problem.field)->setFocus(Qt::OtherFocusReason);
        }
        return false;
    case AssetPages::SaveOutcome::Locked:
        loadPage(page);
        ui::ShowMessage(text::LockedTitle(), text::LockedText(), ui::BtnOk, ui::KindEroare);
        return true;
    }
    return false;
}

void TGospodarii::CancelPage(AssetPage page) { loadPage(page); }

bool TGospodarii::LeavePage()
{
    if (!current_)
        return true;
    AssetPageView* view = views_[*current_];
    if (!view->hasPendingChanges())
        return true;
    if (ui::ShowMessage(text::UnsavedTitle(), text::UnsavedText(), ui::BtnDa | ui::BtnNu, ui::KindConfirmare)
        == ui::ReplyDa)
        return SavePage(*current_);
    view->setPendingChanges(false);
    return true;
}

void TGospodarii::reject()
{
    if (current_) {
        AssetPageView* view = views_[*current_];
        bool locked = false;
        try {
            locked = pages_.YearLocked();
        } catch (const std::exception&) {
        }
        if (view->hasPendingChanges() && !locked && !LeavePage())
            return;
        view->setPendingChanges(false);
    }
    QDialog::reject();
}

void TGospodarii::showError(const std::exception& e)
{
    ui::ShowMessage(text::WindowCaption(), QString::fromUtf8(e.what()), ui::BtnOk, ui::KindEroare);
}

} // namespace lirma::reg
