#include "register/assessment_bar.h"

#include "assessment/assessment_texts.h"
#include "assessment/land_tax.h"
#include "assessment/tax_sheets.h"
#include "assessment/taxpayer_taxes.h"
#include "assessment/vehicle_tax.h"
#include "platform/ui/interaction.h"
#include "register/asset_page_view.h"
#include "register/tgospodarii.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace lirma::reg {

namespace text = assessment::text;

namespace {
const AssetPage kTaxPages[] = {AssetPage::Pag1, AssetPage::Pag4, AssetPage::Pag5};
} // namespace

AssessmentBar::AssessmentBar(TGospodarii& window, storage::Database& db, db::Settings& settings,
                             db::Counters& counters, core::AdminValues& admin, base::Folders folders,
                             assessment::LogFn log, QWidget* parent)
    : QWidget(parent), window_(window), db_(db), settings_(settings), counters_(counters), admin_(admin),
      folders_(std::move(folders)), log_(std::move(log))
{
    setObjectName("AssessmentBar");
    addOne_ = new QPushButton(text::AddOneCommand(), this);
    addOne_->setObjectName("AddLaPlata");
    addAll_ = new QPushButton(text::AddAllCommand(), this);
    addAll_->setObjectName("AddAllPlata");
    row_ = new QHBoxLayout(this);
    row_->setContentsMargins(6, 2, 6, 6);
    for (QPushButton* b : {addOne_, addAll_}) {
        b->setAutoDefault(false);
        row_->addWidget(b);
    }
    row_->addStretch(1);
    connect(addOne_, &QPushButton::clicked, this, [this] { AddLaPlata(); });
    connect(addAll_, &QPushButton::clicked, this, [this] { AddAllPlata(); });

    for (AssetPage page : kTaxPages)
        addPageLine(page);
    connect(window_.pageControl(), &QStackedWidget::currentChanged, this, [this] { refreshTaxes(); });
}

void AssessmentBar::addPageLine(AssetPage page)
{
    AssetPageView* view = window_.pageView(page);
    auto* layout = view ? qobject_cast<QVBoxLayout*>(view->layout()) : nullptr;
    if (!layout)
        return;
    auto* line = new QWidget(view);
    line->setObjectName(view->objectName() + QStringLiteral("Impozit"));
    PageLine p;
    p.tax = new QLabel(text::PageTaxUnknown(), line);
    p.tax->setObjectName(view->objectName() + QStringLiteral("Tax"));
    QFont f = p.tax->font();
    f.setBold(true);
    p.tax->setFont(f);
    p.sheet = new QPushButton(text::SheetTitle(), line);
    p.sheet->setObjectName(view->objectName() + QStringLiteral("Fisa"));
    p.sheet->setAutoDefault(false);
    auto* h = new QHBoxLayout(line);
    h->setContentsMargins(8, 2, 8, 2);
    h->addWidget(p.tax);
    h->addStretch(1);
    h->addWidget(p.sheet);
    // Above the pending-changes panel, which stays last.
    layout->insertWidget(layout->indexOf(view->panel()), line);
    lines_[page] = p;
    connect(p.sheet, &QPushButton::clicked, this, [this, page] { ShowSheet(page); });
    // The window stores or reloads the page first (it connected before us).
    connect(view, &AssetPageView::saveRequested, this, [this] { refreshTaxes(); });
    connect(view, &AssetPageView::cancelRequested, this, [this] { refreshTaxes(); });
}

QLabel* AssessmentBar::taxLabel(AssetPage page) const
{
    const auto it = lines_.find(page);
    return it == lines_.end() ? nullptr : it->second.tax;
}

QPushButton* AssessmentBar::sheetButton(AssetPage page) const
{
    const auto it = lines_.find(page);
    return it == lines_.end() ? nullptr : it->second.sheet;
}

assessment::AssessmentSettings AssessmentBar::currentSettings() const
{
    return assessment::AssessmentSettings::Load(admin_, settings_);
}

bool AssessmentBar::AddLaPlata()
{
    // The run reads the stored pages: what the shown page holds unsaved is settled first.
    if (!window_.LeavePage())
        return false;
    std::optional<assessment::SelectedTaxpayer> selected;
    if (const Taxpayer* t = window_.selected())
        selected = assessment::SelectedTaxpayer{t->idgos, t->rol};
    assessment::YearlyDebts debts(db_, counters_, currentSettings());
    const bool added = assessment::AddLaPlata(debts, selected, window_.ROLEd(), log_);
    refreshTaxes();
    return added;
}

std::optional<assessment::YearlyDebts::RunResult> AssessmentBar::AddAllPlata()
{
    if (!window_.LeavePage())
        return std::nullopt;
    // Every taxpayer of the register, in the list's order, whatever its filter shows.
    TaxpayerRegister& reg = window_.taxpayers();
    reg.SetFilter(QString(), QString(), QString());
    std::vector<int64_t> ids;
    ids.reserve(size_t(reg.visibleCount()));
    for (int i = 0; i < reg.visibleCount(); ++i)
        ids.push_back(reg.visible(i).idgos);
    assessment::YearlyDebts debts(db_, counters_, currentSettings());
    const auto result = assessment::AddAllPlata(debts, ids, window_.SatCombo()->currentText(), log_);
    window_.PuneFiltru();
    if (reg.visibleCount() > 0)
        window_.selectTaxpayer(reg.visible(0).idgos);
    refreshTaxes();
    return result;
}

void AssessmentBar::refreshTaxes()
{
    const Taxpayer* t = window_.selected();
    std::optional<assessment::TaxpayerAssets> assets;
    assessment::AssessmentSettings s;
    try {
        if (t) {
            assets = assessment::ReadTaxpayerAssets(db_, t->idgos);
            s = currentSettings();
        }
    } catch (const std::exception&) {
        assets.reset();
    }
    for (auto& [page, line] : lines_) {
        if (!assets) {
            line.tax->setText(text::PageTaxUnknown());
            continue;
        }
        const assessment::TaxpayerTerms& terms = assets->taxpayer.terms;
        int64_t lei = 0;
        if (page == AssetPage::Pag1)
            lei = assessment::TotalLei(
                assessment::OutsideLandItems(assessment::OutsideLand::FromRow(assets->pag1), terms, s));
        else if (page == AssetPage::Pag4)
            lei = assessment::TotalLei(
                assessment::InsideLandItems(assessment::InsideLand::FromRow(assets->pag4), terms, s));
        else
            lei = assessment::TotalLei(
                assessment::VehicleItems(assessment::VehiclePages::FromRows(assets->pag5, assets->pag6), terms, s));
        line.tax->setText(text::PageTax(lei));
    }
}

QString AssessmentBar::ShowSheet(AssetPage page)
{
    if (!window_.LeavePage())
        return {};
    const Taxpayer* t = window_.selected();
    if (!t)
        return {};
    const assessment::SheetTaxpayer owner{t->satul, t->rol, t->numep};
    const assessment::AssessmentSettings s = currentSettings();
    try {
        if (page == AssetPage::Pag5)
            return assessment::VehicleSheet(db_, t->idgos, owner, s, folders_);
        const std::optional<assessment::TaxpayerAssets> assets = assessment::ReadTaxpayerAssets(db_, t->idgos);
        if (!assets)
            return {};
        if (page == AssetPage::Pag1)
            return assessment::OutsideLandSheet(assessment::OutsideLand::FromRow(assets->pag1), owner, s, folders_);
        if (page == AssetPage::Pag4)
            return assessment::InsideLandSheet(assessment::InsideLand::FromRow(assets->pag4), owner, s, folders_);
    } catch (const std::exception& e) {
        ui::ShowMessage(text::SheetTitle(), QString::fromUtf8(e.what()), ui::BtnOk, ui::KindEroare);
    }
    return {};
}

} // namespace lirma::reg
