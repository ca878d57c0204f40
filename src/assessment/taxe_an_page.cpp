#include "assessment/taxe_an_page.h"

#include "assessment/form_parts.h"
#include "assessment/levy_texts.h"
#include "assessment/taddimpozit.h"
#include "assessment/text_rows_model.h"
#include "assessment/tfclasificare.h"
#include "assessment/tftaxe.h"
#include "core/admin_fields.h"
#include "platform/base/dates.h"
#include "platform/ui/interaction.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace lirma::assessment {

namespace {

QPushButton* button(const QString& caption, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setMinimumWidth(96);
    return b;
}

QTableView* grid(QWidget* parent, const char* name, TextRowsModel* model)
{
    auto* g = new QTableView(parent);
    g->setObjectName(QString::fromLatin1(name));
    g->setModel(model);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setAlternatingRowColors(true);
    g->verticalHeader()->hide();
    g->verticalHeader()->setDefaultSectionSize(g->fontMetrics().height() + 6);
    g->horizontalHeader()->setStretchLastSection(true);
    return g;
}

QLabel* caption(const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

int64_t selectedIn(const QTableView* g, const TextRowsModel* model)
{
    const QModelIndex current = g->selectionModel()->currentIndex();
    if (!g->selectionModel()->hasSelection() || !current.isValid())
        return -1;
    return model->idAt(current.row());
}

bool selectIn(QTableView* g, const TextRowsModel* model, int64_t id)
{
    const int row = id < 0 ? -1 : model->rowOf(id);
    if (row < 0)
        return false;
    g->selectRow(row);
    g->scrollTo(model->index(row, 0));
    return true;
}

QString number(int64_t v) { return QString::number(v); }

} // namespace

TaxeAnPage::TaxeAnPage(storage::Database& db, db::Counters& counters, core::AdminValues& admin, QWidget* parent)
    : QWidget(parent), db_(db), counters_(counters), admin_(admin), levies_(db, counters), debits_(db, counters)
{
    setObjectName("TaxeAn");
    openCodes_ = [this] { return ShowClassificationCodes(db_, counters_); };

    // Levies: "Categoria", "Din data", "Nr.", "Explicatii", "Curent", "Restant", "Reduc.".
    model1_ = new TextRowsModel(yeartext::LeviesGridTitles(), {2, 4, 5, 6}, this);
    grid1_ = grid(this, "SMDBGrid1", model1_);
    const QFontMetrics fm = fontMetrics();
    grid1_->setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("Amenzi contraventionale")) + 24);
    grid1_->setColumnWidth(1, fm.horizontalAdvance(QStringLiteral("00.00.00000")) + 12);
    grid1_->setColumnWidth(2, fm.horizontalAdvance(QStringLiteral("0000000")) + 12);
    grid1_->setColumnWidth(3, fm.horizontalAdvance(QLatin1Char('M')) * 20);
    for (int c = 4; c <= 6; ++c)
        grid1_->setColumnWidth(c, fm.horizontalAdvance(QStringLiteral("Restant000")) + 8);
    // The explanation takes the room left, not the last amount.
    grid1_->horizontalHeader()->setStretchLastSection(false);
    grid1_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
    // Debits: "Nr.", "Din data", "Grupa", "Tip", "Suma", "Explicatii".
    model2_ = new TextRowsModel(yeartext::DebitsGridTitles(), {0, 4}, this);
    grid2_ = grid(this, "SMDBGrid2", model2_);
    grid2_->setColumnWidth(0, fm.horizontalAdvance(QStringLiteral("0000000")) + 12);
    grid2_->setColumnWidth(1, fm.horizontalAdvance(QStringLiteral("00.00.00000")) + 12);
    grid2_->setColumnWidth(2, fm.horizontalAdvance(QStringLiteral("Impozit pe mijloace de transport")) + 16);
    grid2_->setColumnWidth(3, fm.horizontalAdvance(QStringLiteral("Cumparare")) + 16);
    grid2_->setColumnWidth(4, fm.horizontalAdvance(QStringLiteral("-0000000")) + 12);

    addTaxa_ = button(yeartext::AddTaxa(), "AddTaxa", this);
    editTaxa_ = button(yeartext::EditTaxa(), "EditTaxa", this);
    delTaxa_ = button(yeartext::DelTaxa(), "DelTaxa", this);
    addDeb_ = button(yeartext::AddDeb(), "AddDeb", this);
    editDeb_ = button(yeartext::EditDeb(), "EditDeb", this);
    delDeb_ = button(yeartext::DelDeb(), "DelDeb", this);
    connect(addTaxa_, &QPushButton::clicked, this, &TaxeAnPage::AddTaxaClick);
    connect(editTaxa_, &QPushButton::clicked, this, &TaxeAnPage::EditTaxaClick);
    connect(delTaxa_, &QPushButton::clicked, this, &TaxeAnPage::DelTaxaClick);
    connect(addDeb_, &QPushButton::clicked, this, &TaxeAnPage::AddDebClick);
    connect(editDeb_, &QPushButton::clicked, this, &TaxeAnPage::EditDebClick);
    connect(delDeb_, &QPushButton::clicked, this, &TaxeAnPage::DelDebClick);
    connect(grid1_, &QTableView::doubleClicked, this, [this] { EditTaxaClick(); });
    connect(grid2_, &QTableView::doubleClicked, this, [this] { EditDebClick(); });

    auto section = [this](const QString& title, QTableView* g, std::initializer_list<QPushButton*> buttons) {
        auto* column = new QVBoxLayout;
        for (QPushButton* b : buttons)
            column->addWidget(b);
        column->addStretch(1);
        auto* row = new QHBoxLayout;
        row->addWidget(g, 1);
        row->addLayout(column);
        auto* box = new QVBoxLayout;
        box->setSpacing(4);
        box->addWidget(caption(title, this));
        box->addLayout(row, 1);
        return box;
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MakeHeadingBand(yeartext::YearPageCaption(), this));
    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 4, 8, 8);
    body->addLayout(section(yeartext::LeviesGridCaption(), grid1_, {addTaxa_, editTaxa_, delTaxa_}), 1);
    body->addSpacing(8);
    body->addLayout(section(yeartext::DebitsGridCaption(), grid2_, {addDeb_, editDeb_, delDeb_}), 1);
    layout->addLayout(body, 1);

    clearTaxpayer();
}

TaxeAnPage::~TaxeAnPage() = default;

void TaxeAnPage::setCodesOpener(std::function<bool()> openCodes)
{
    openCodes_ = std::move(openCodes);
    if (debitDialog_)
        debitDialog_->setCodesOpener(openCodes_);
}

TAddImpozit& TaxeAnPage::debitDialog()
{
    if (!debitDialog_) {
        debitDialog_ = std::make_unique<TAddImpozit>(this);
        debitDialog_->setCodesOpener(openCodes_);
    }
    return *debitDialog_;
}

QString TaxeAnPage::defaultZone() const { return admin_.text(QString::fromLatin1(core::admin_names::ZonaImplicita)); }

void TaxeAnPage::showError(const QString& title, const std::exception& e)
{
    ui::ShowMessage(title, QString::fromUtf8(e.what()), ui::BtnOk, ui::KindEroare);
}

void TaxeAnPage::setTaxpayer(const LevyOwner& owner)
{
    owner_ = owner;
    addTaxa_->setEnabled(owner_.idgos >= 0);
    addDeb_->setEnabled(owner_.idgos >= 0);
    refreshLevies();
    refreshDebits();
}

void TaxeAnPage::clearTaxpayer() { setTaxpayer(LevyOwner{}); }

void TaxeAnPage::refreshLevies(int64_t select)
{
    std::vector<TextRowsModel::Row> rows;
    if (owner_.idgos >= 0) {
        try {
            for (const LevyRow& l : levies_.List(owner_.idgos))
                rows.push_back({l.iddat,
                                {l.item, base::FormatDate(l.date), number(l.number), l.explanation, number(l.current),
                                 number(l.arrears), number(l.reduction)}});
        } catch (const std::exception& e) {
            rows.clear();
            showError(yeartext::YearPageCaption(), e);
        }
    }
    model1_->setRows(std::move(rows));
    if (!selectIn(grid1_, model1_, select) && model1_->rowCount() > 0)
        grid1_->selectRow(0);
    const bool any = model1_->rowCount() > 0;
    editTaxa_->setEnabled(any);
    delTaxa_->setEnabled(any);
}

void TaxeAnPage::refreshDebits(int64_t select)
{
    std::vector<TextRowsModel::Row> rows;
    if (owner_.idgos >= 0) {
        try {
            for (const DebitRow& d : debits_.List(owner_.idgos))
                rows.push_back({d.iddeb,
                                {number(d.record.number), base::FormatDate(d.record.date), d.record.group,
                                 d.record.category, number(d.initial), d.record.explanation}});
        } catch (const std::exception& e) {
            rows.clear();
            showError(yeartext::YearPageCaption(), e);
        }
    }
    model2_->setRows(std::move(rows));
    if (!selectIn(grid2_, model2_, select) && model2_->rowCount() > 0)
        grid2_->selectRow(0);
    const bool any = model2_->rowCount() > 0;
    editDeb_->setEnabled(any);
    delDeb_->setEnabled(any);
}

int64_t TaxeAnPage::selectedLevy() const { return selectedIn(grid1_, model1_); }
int64_t TaxeAnPage::selectedDebit() const { return selectedIn(grid2_, model2_); }
bool TaxeAnPage::selectLevy(int64_t iddat) { return selectIn(grid1_, model1_, iddat); }
bool TaxeAnPage::selectDebit(int64_t iddeb) { return selectIn(grid2_, model2_, iddeb); }

void TaxeAnPage::AddTaxaClick()
{
    if (owner_.idgos < 0)
        return;
    try {
        const int64_t id = AddLevyWithDialog(levies_, owner_, Levies::Percent::Zero, openCodes_);
        if (id >= 0)
            refreshLevies(id);
    } catch (const std::exception& e) {
        showError(yeartext::LevyCaption(), e);
    }
}

void TaxeAnPage::EditTaxaClick()
{
    const int64_t id = selectedLevy();
    if (model1_->rowCount() == 0 || id < 0)
        return;
    try {
        const std::optional<LevyRow> row = levies_.Find(id);
        if (!row) {
            refreshLevies();
            return;
        }
        TFTaxe& dialog = TFTaxe::Shared();
        dialog.setSources([this] { return levies_.Names(); }, openCodes_);
        dialog.Load(*row);
        if (!dialog.ShowDialog(yeartext::LevyModifyTitle()))
            return;
        if (levies_.Modify(*row, dialog.accepted()) == Levies::Outcome::Paid)
            ui::ShowMessage(yeartext::ModifyLevyTitle(), yeartext::PaidLevyName(), ui::BtnOk, ui::KindEroare);
        refreshLevies(id);
    } catch (const std::exception& e) {
        showError(yeartext::LevyCaption(), e);
    }
}

void TaxeAnPage::DelTaxaClick()
{
    const int64_t id = selectedLevy();
    if (model1_->rowCount() == 0 || id < 0)
        return;
    try {
        const std::optional<LevyRow> row = levies_.Find(id);
        if (!row) {
            refreshLevies();
            return;
        }
        if (row->paid()) {
            ui::ShowMessage(yeartext::DeleteLevyTitle(), yeartext::PaidLevyDelete(), ui::BtnOk, ui::KindEroare);
            return;
        }
        if (!ui::AskYes(yeartext::DeleteLevyTitle(), yeartext::DeleteLevyQuestion(), ui::KindConfirmare))
            return;
        // A receipt may have been issued on it while the question was open.
        if (levies_.Delete(owner_.idgos, id) == Levies::Outcome::Paid)
            ui::ShowMessage(yeartext::DeleteLevyTitle(), yeartext::PaidLevyDelete(), ui::BtnOk, ui::KindEroare);
        refreshLevies();
    } catch (const std::exception& e) {
        showError(yeartext::LevyCaption(), e);
    }
}

void TaxeAnPage::AddDebClick()
{
    if (owner_.idgos < 0)
        return;
    try {
        TAddImpozit& dialog = debitDialog();
        dialog.Reset(defaultZone());
        if (!dialog.ShowDialog(yeartext::DebitAddTitle()))
            return;
        const int64_t id = debits_.Add(owner_.idgos, BuildDebit(dialog.accepted()));
        refreshDebits(id);
    } catch (const std::exception& e) {
        showError(yeartext::DebitCaption(), e);
    }
}

void TaxeAnPage::EditDebClick()
{
    const int64_t id = selectedDebit();
    if (model2_->rowCount() == 0 || id < 0)
        return;
    try {
        const std::optional<DebitRow> row = debits_.Find(id);
        if (!row) {
            refreshDebits();
            return;
        }
        TAddImpozit& dialog = debitDialog();
        dialog.Load(*row, defaultZone());
        if (!dialog.ShowDialog(yeartext::DebitModifyTitle()))
            return;
        // Read again: something may have been collected while the dialog was open.
        const std::optional<DebitRow> now = debits_.Find(id);
        if (!now) {
            refreshDebits();
            return;
        }
        if (now->collected()
            && !ui::AskYes(yeartext::ModifyDebitTitle(), yeartext::CollectedDebitQuestion(), ui::KindConfirmare))
            return;
        debits_.Modify(id, BuildDebit(dialog.accepted()));
        refreshDebits(id);
    } catch (const std::exception& e) {
        showError(yeartext::DebitCaption(), e);
    }
}

void TaxeAnPage::DelDebClick()
{
    const int64_t id = selectedDebit();
    if (model2_->rowCount() == 0 || id < 0)
        return;
    try {
        const std::optional<DebitRow> row = debits_.Find(id);
        if (!row) {
            refreshDebits();
            return;
        }
        if (row->initial > 0 && row->collected()) {
            ui::ShowMessage(yeartext::DeleteDebitTitle(), yeartext::CollectedDebitDelete(), ui::BtnOk, ui::KindEroare);
            return;
        }
        if (!ui::AskYes(yeartext::DeleteDebitTitle(), yeartext::DeleteDebitQuestion(), ui::KindConfirmare))
            return;
        if (debits_.Delete(id) == Debits::Outcome::Collected)
            ui::ShowMessage(yeartext::DeleteDebitTitle(), yeartext::CollectedDebitDelete(), ui::BtnOk, ui::KindEroare);
        refreshDebits();
    } catch (const std::exception& e) {
        showError(yeartext::DebitCaption(), e);
    }
}

} // namespace lirma::assessment
