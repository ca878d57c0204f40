#include "register/buildings_page.h"

#include "assessment/building_sheet.h"
#include "assessment/building_texts.h"
#include "core/banded_header.h"
#include "platform/base/edition.h"
#include "platform/ui/gradient_panel.h"
#include "platform/ui/interaction.h"
#include "register/buildings_texts.h"
#include "register/register_texts.h"
#include "register/tcladaddf.h"
#include "register/tcladcumpf.h"
#include "register/tcladvanzf.h"

#include <QAbstractTableModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <cstdlib>

namespace lirma::reg {

namespace {

// Columns whose values are numbers, aligned to the right.
bool isNumberColumn(int c) { return c == 0 || c == 7 || c == 13 || c == 14 || c == 16 || c == 18 || c == 19; }

// A long title on two lines, broken at the space nearest its middle, so that the grid's twenty
// columns need less width.
QString wrappedTitle(const QString& title)
{
    if (title.size() <= 10)
        return title;
    int best = -1;
    for (int i = 0; i < title.size(); ++i)
        if (title[i] == u' ' && (best < 0 || std::abs(i - title.size() / 2) < std::abs(best - title.size() / 2)))
            best = i;
    if (best < 0)
        return title;
    return title.left(best) + QLatin1Char('\n') + title.mid(best + 1);
}

std::vector<core::HeaderBand> buildingBands()
{
    return {{2, 2, text::EvidentaBand()},       {4, 2, text::ClasificareBand()}, {7, 4, text::RezidentialaBand()},
            {11, 1, text::ClasificareBand()},   {12, 3, text::RezidentialaBand()},
            {16, 2, text::NerezidentialaBand()}};
}

} // namespace

// The grid's rows: the texts of each building, computed when the list is read.
class BuildingsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<QStringList> rows)
    {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : kBuildingGridColumnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= int(rows_.size()))
            return {};
        // The tooltip shows a text that the column elides (long addresses).
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
            return rows_[size_t(index.row())].value(index.column());
        if (role == Qt::TextAlignmentRole)
            return int((isNumberColumn(index.column()) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return wrappedTitle(text::BuildingGridTitles().value(section));
        if (orientation == Qt::Horizontal && role == Qt::ToolTipRole)
            return text::BuildingGridTitles().value(section);
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

private:
    std::vector<QStringList> rows_;
};

BuildingsPage::BuildingsPage(storage::Database& db, db::Settings& settings, db::Counters& counters,
                             core::AdminValues& admin, QWidget* parent)
    : QWidget(parent), buildings_(db, settings, counters, admin), folders_(base::Folders::Detect())
{
    setObjectName("Pag2");

    auto* band = new ui::GradientPanel(QColor(255, 255, 255), QColor(70, 110, 160), Qt::Horizontal, this);
    band->setObjectName("Pag2Title");
    band->setFixedHeight(34);
    auto* title = new QLabel(text::BuildingsCaption(), band);
    title->setTextFormat(Qt::PlainText);
    QFont f = title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    title->setFont(f);
    auto* bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(10, 0, 10, 0);
    bandLayout->addWidget(title);

    model_ = new BuildingsModel(this);
    grid_ = new QTableView(this);
    grid_->setObjectName("CladGrid");
    header_ = new core::BandedHeaderView(buildingBands(), grid_);
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
    header_->setHighlightSections(false);
    const QFontMetrics fm = grid_->fontMetrics();
    const QStringList titles = text::BuildingGridTitles();
    // Wide enough for each line of the title and for a typical value; "La bloc" stands alone
    // under its band. Longer addresses are elided.
    const QStringList samples = {"00000",      "STR. PRINCIPALA", "00.00.0000", "00.00.0000", "", "",
                                 "Cladire-Anexa", "000.00",       "0000",       "beton.....",   "", text::ClasificareBand(),
                                 "",           "",                "000000.00",  "00.00.0000", "000000.00", "",
                                 "000000.00",  "00000"};
    for (int c = 0; c < kBuildingGridColumnCount; ++c) {
        int width = fm.horizontalAdvance(samples[c]);
        for (const QString& line : wrappedTitle(titles[c]).split(QLatin1Char('\n')))
            width = std::max(width, fm.horizontalAdvance(line));
        grid_->setColumnWidth(c, width + 12);
    }
    connect(grid_, &QTableView::doubleClicked, this, [this] { CladModClick(); });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { updateButtons(); });

    auto button = [this](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setMinimumWidth(b->sizeHint().width() + 16);
        return b;
    };
    add_ = button(text::AddBuilding(), "CladAdd");
    modify_ = button(text::ModifyBuilding(), "CladMod");
    delete_ = button(text::DeleteBuilding(), "CladDel");
    sheet_ = button(text::CalculationSheet(), "FisaBut");
    purchase_ = button(text::PurchaseButton(), "CumparareBut");
    purchase_->setToolTip(text::PurchaseHint());
    sale_ = button(text::SaleButton(), "VanzareBut");
    sale_->setToolTip(text::SaleHint());
    connect(add_, &QPushButton::clicked, this, &BuildingsPage::CladAddClick);
    connect(modify_, &QPushButton::clicked, this, &BuildingsPage::CladModClick);
    connect(delete_, &QPushButton::clicked, this, &BuildingsPage::CladDelClick);
    connect(sheet_, &QPushButton::clicked, this, &BuildingsPage::FisaClick);
    connect(purchase_, &QPushButton::clicked, this, &BuildingsPage::CumparareClick);
    connect(sale_, &QPushButton::clicked, this, &BuildingsPage::VanzareClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(modify_);
    buttons->addWidget(delete_);
    buttons->addSpacing(16);
    buttons->addWidget(sheet_);
    buttons->addStretch(1);
    buttons->addWidget(purchase_);
    buttons->addWidget(sale_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(band);
    layout->addWidget(grid_, 1);
    layout->addLayout(buttons);
    updateButtons();
}

BuildingsPage::~BuildingsPage() = default;

PersonType BuildingsPage::person() const { return assessment::PersonTypeOf(owner_.tip); }

TCladAddF& BuildingsPage::addDialog()
{
    if (!addDialog_)
        addDialog_ = std::make_unique<TCladAddF>(this);
    return *addDialog_;
}

TCladVanzF& BuildingsPage::saleDialog()
{
    if (!saleDialog_)
        saleDialog_ = std::make_unique<TCladVanzF>(this);
    return *saleDialog_;
}

TCladCumpF& BuildingsPage::purchaseDialog()
{
    if (!purchaseDialog_)
        purchaseDialog_ = std::make_unique<TCladCumpF>(this);
    return *purchaseDialog_;
}

void BuildingsPage::Load(const Taxpayer& owner)
{
    owner_ = owner;
    Reload();
}

void BuildingsPage::Reload(std::optional<int64_t> idclad)
{
    try {
        refresh(idclad);
    } catch (const std::exception& e) {
        lines_.clear();
        model_->setRows({});
        updateButtons();
        showError(e);
    }
}

void BuildingsPage::refresh(std::optional<int64_t> idclad)
{
    lines_ = owner_.idgos > 0 ? buildings_.List(owner_.idgos, person()) : std::vector<BuildingLine>{};
    std::vector<QStringList> rows;
    rows.reserve(lines_.size());
    for (const BuildingLine& l : lines_)
        rows.push_back(BuildingGridTexts(l, person()));
    model_->setRows(std::move(rows));
    if (!idclad || !selectBuilding(*idclad)) {
        if (!lines_.empty())
            selectBuilding(lines_.front().row.IDCLAD);
    }
    updateButtons();
}

const BuildingLine* BuildingsPage::selected() const
{
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid() || current.row() >= int(lines_.size()))
        return nullptr;
    return &lines_[size_t(current.row())];
}

bool BuildingsPage::selectBuilding(int64_t idclad)
{
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].row.IDCLAD != idclad)
            continue;
        const QModelIndex index = model_->index(int(i), 0);
        grid_->setCurrentIndex(index);
        grid_->selectRow(int(i));
        grid_->scrollTo(index);
        updateButtons();
        return true;
    }
    return false;
}

void BuildingsPage::updateButtons()
{
    const BuildingLine* line = selected();
    sheet_->setEnabled(!lines_.empty());
    sale_->setEnabled(line && !assessment::IsOutOfRecords(line->row.DATAOUT));
}

bool BuildingsPage::writable()
{
    bool locked = false;
    try {
        locked = buildings_.YearLocked();
    } catch (const std::exception& e) {
        showError(e);
        return false;
    }
    if (locked)
        showLocked();
    return !locked;
}

void BuildingsPage::showLocked()
{
    ui::ShowMessage(text::LockedTitle(), text::LockedText(), ui::BtnOk, ui::KindEroare);
}

void BuildingsPage::showError(const std::exception& e)
{
    ui::ShowMessage(text::BuildingsCaption(), QString::fromUtf8(e.what()), ui::BtnOk, ui::KindEroare);
}

void BuildingsPage::CladAddClick()
{
    if (owner_.idgos <= 0 || !writable())
        return;
    try {
        TCladAddF& d = addDialog();
        const PersonType p = person();
        d.SetInput(buildings_.DefaultInput(), p, buildings_.MixedIds(owner_.idgos));
        if (!d.ShowDialog(text::AddHeading(), [this, p](BuildingInput& in) { return buildings_.Validate(in, p); }))
            return;
        const BuildingInput in = d.accepted();
        int64_t id = 0;
        if (buildings_.Add(owner_.idgos, p, in, &id) == Buildings::Outcome::Locked) {
            showLocked();
            return;
        }
        refresh(id);
        if (in.entered.year() < base::edition::FiscalYear)
            ui::ShowMessage(text::AddBuildingTitle(), text::AddToPaymentText(), ui::BtnOk, ui::KindAtentie);
    } catch (const std::exception& e) {
        showError(e);
    }
}

void BuildingsPage::CladModClick()
{
    const BuildingLine* line = selected();
    if (!line) {
        ui::ShowProblem(text::NothingToModify(), grid_);
        return;
    }
    if (!writable())
        return;
    const int64_t idclad = line->row.IDCLAD;
    try {
        const std::optional<BuildingRow> stored = buildings_.Fetch(owner_.idgos, idclad);
        if (!stored) {
            // Deleted at another workstation meanwhile.
            ui::ShowProblem(text::NothingToModify(), grid_);
            refresh(std::nullopt);
            return;
        }
        TCladAddF& d = addDialog();
        const PersonType p = person();
        d.SetInput(buildings_.InputFromRow(*stored), p, buildings_.MixedIds(owner_.idgos));
        if (!d.ShowDialog(text::ModifyHeading(), [this, p](BuildingInput& in) { return buildings_.Validate(in, p); }))
            return;
        switch (buildings_.Modify(owner_.idgos, idclad, p, d.accepted())) {
        case Buildings::Outcome::Done: break;
        case Buildings::Outcome::Locked: showLocked(); return;
        case Buildings::Outcome::Missing: ui::ShowProblem(text::NothingToModify(), grid_); break;
        }
        refresh(idclad);
    } catch (const std::exception& e) {
        showError(e);
    }
}

void BuildingsPage::CladDelClick()
{
    const BuildingLine* line = selected();
    if (!line) {
        ui::ShowProblem(text::NothingToDelete(), grid_);
        return;
    }
    if (!writable())
        return;
    const int64_t idclad = line->row.IDCLAD;
    try {
        if (!ui::AskYes(text::DeleteBuildingTitle(), text::DeleteBuildingQuestion(), ui::KindConfirmare))
            return;
        const Buildings::Outcome outcome = buildings_.Delete(owner_.idgos, idclad);
        if (outcome == Buildings::Outcome::Locked) {
            showLocked();
            return;
        }
        refresh(std::nullopt);
        if (!lines_.empty())
            selectBuilding(lines_.back().row.IDCLAD);
        if (outcome == Buildings::Outcome::Done)
            ui::ShowMessage(text::DeleteBuildingTitle(), text::BuildingDeletedText(), ui::BtnOk, ui::KindInformatie);
    } catch (const std::exception& e) {
        showError(e);
    }
}

void BuildingsPage::FisaClick()
{
    const BuildingLine* line = selected();
    if (!line)
        return;
    assessment::ShowBuildingSheet(line->row, person(), {owner_.satul, owner_.rol, owner_.numep},
                                  buildings_.TaxSettings(), folders_);
}

void BuildingsPage::VanzareClick()
{
    const BuildingLine* line = selected();
    if (!line || assessment::IsOutOfRecords(line->row.DATAOUT) || !writable())
        return;
    const int64_t idclad = line->row.IDCLAD;
    try {
        TCladVanzF& d = saleDialog();
        d.Reset(buildings_.today());
        if (!d.ShowDialog([this](const QDate& date) { return buildings_.CheckSale(date); }))
            return;
        const Buildings::Outcome outcome = buildings_.Sell(owner_.idgos, idclad, d.saleDate(), d.remark());
        if (outcome == Buildings::Outcome::Locked) {
            showLocked();
            return;
        }
        refresh(idclad);
        if (outcome == Buildings::Outcome::Done)
            ui::ShowMessage(text::SaleTitle(), text::SoldText(), ui::BtnOk, ui::KindInformatie);
        else
            ui::ShowProblem(text::NothingToModify(), grid_);
    } catch (const std::exception& e) {
        showError(e);
    }
}

void BuildingsPage::CumparareClick()
{
    if (owner_.idgos <= 0 || !writable())
        return;
    try {
        const std::vector<PurchaseCandidate> candidates = buildings_.PurchaseCandidates();
        if (candidates.empty()) {
            ui::ShowMessage(text::PurchaseErrorTitle(), text::NothingSoldText(), ui::BtnOk, ui::KindEroare);
            return;
        }
        TCladCumpF& d = purchaseDialog();
        d.SetCandidates(candidates);
        const std::optional<int> chosen = d.ShowDialog();
        if (!chosen || *chosen < 0 || *chosen >= int(candidates.size()))
            return;
        const PurchaseCandidate& c = candidates[size_t(*chosen)];
        int64_t id = 0;
        switch (buildings_.Purchase(owner_.idgos, c.idgos, c.idclad, &id)) {
        case Buildings::Outcome::Done: break;
        case Buildings::Outcome::Locked: showLocked(); return;
        case Buildings::Outcome::Missing:
            // The seller's row went meanwhile (deleted at another workstation).
            ui::ShowMessage(text::PurchaseErrorTitle(), text::NothingSoldText(), ui::BtnOk, ui::KindEroare);
            return;
        }
        refresh(id);
        ui::ShowMessage(text::PurchaseTitle(), text::PurchasedText(), ui::BtnOk, ui::KindInformatie);
    } catch (const std::exception& e) {
        showError(e);
    }
}

} // namespace lirma::reg
