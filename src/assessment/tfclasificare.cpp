#include "assessment/tfclasificare.h"

#include "assessment/form_parts.h"
#include "assessment/levy_texts.h"
#include "assessment/text_rows_model.h"
#include "platform/ui/enter_moves.h"
#include "platform/ui/interaction.h"
#include "platform/ui/upper_case.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
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
    b->setMinimumWidth(100);
    return b;
}

} // namespace

// --- TFAddCODCL ---

TFAddCODCL::TFAddCODCL(QWidget* parent) : QDialog(parent)
{
    setObjectName("TFAddCODCL");
    setWindowTitle(yeartext::CodeDialogCaption());
    setModal(true);

    QWidget* band = MakeHeadingBand(yeartext::CodeAddHeading(), this, &heading_);
    name_ = new QLineEdit(this);
    name_->setObjectName("CreantaL");
    name_->setMaxLength(kClaimNameWidth);
    natural_ = new QLineEdit(this);
    natural_->setObjectName("TrezFL");
    ui::MakeUpperCaseField(natural_, kAccountWidth);
    legal_ = new QLineEdit(this);
    legal_->setObjectName("TrezJL");
    ui::MakeUpperCaseField(legal_, kAccountWidth);
    // Most groups are booked to one account for both kinds of person.
    connect(natural_, &QLineEdit::textChanged, legal_, &QLineEdit::setText);

    const int wide = fontMetrics().horizontalAdvance(QLatin1Char('M')) * 28;
    name_->setMinimumWidth(wide);
    const int account = fontMetrics().horizontalAdvance(QStringLiteral("RO49AAAA1B31007593840000")) + 24;
    natural_->setFixedWidth(account);
    legal_->setFixedWidth(account);

    renunt_ = button(yeartext::Renunt(), "Renunt", this);
    memoreaza_ = button(yeartext::Memoreaza(), "Memoreaza", this);
    connect(renunt_, &QPushButton::clicked, this, &QDialog::reject);
    connect(memoreaza_, &QPushButton::clicked, this, &TFAddCODCL::MemoreazaClick);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(yeartext::DenumireaCreantei(), name_);
    form->addRow(yeartext::ContFizica(), natural_);
    form->addRow(yeartext::ContJuridica(), legal_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(renunt_);
    buttons->addWidget(memoreaza_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(band);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 6, 12, 0);
    body->addLayout(form);
    body->addSpacing(6);
    body->addLayout(buttons);
    layout->addLayout(body);

    setTabOrder(name_, natural_);
    setTabOrder(natural_, legal_);
    setTabOrder(legal_, renunt_);
    setTabOrder(renunt_, memoreaza_);
    new ui::EnterMovesOn({name_, natural_, legal_}, legal_, memoreaza_, this);

    runDialog_ = [](QDialog& d) { return d.exec(); };
}

void TFAddCODCL::ResetForAdd()
{
    name_->clear();
    name_->setReadOnly(false);
    natural_->clear();
    legal_->clear();
}

void TFAddCODCL::LoadForModify(const CodeRow& row)
{
    name_->setText(row.grupa);
    name_->setReadOnly(true);
    natural_->setText(row.codclf); // copies itself into the legal account, set next
    legal_->setText(row.codclj);
}

bool TFAddCODCL::ShowDialog(const QString& heading, Check check)
{
    heading_->setText(heading);
    check_ = std::move(check);
    (name_->isReadOnly() ? natural_ : name_)->setFocus();
    return runDialog_(*this) == QDialog::Accepted;
}

CodeInput TFAddCODCL::input() const { return {name_->text(), natural_->text(), legal_->text()}; }

void TFAddCODCL::MemoreazaClick()
{
    CodeInput in = input();
    std::optional<CodeProblem> problem;
    try {
        problem = check_ ? check_(in) : std::nullopt;
    } catch (const std::exception& e) {
        ui::ShowMessage(yeartext::CodeDialogCaption(), QString::fromUtf8(e.what()), ui::BtnOk, ui::KindEroare);
        return;
    }
    // The cleaned texts go back into the fields (without copying the natural account again).
    if (!name_->isReadOnly())
        name_->setText(in.name);
    {
        const QSignalBlocker block(natural_);
        natural_->setText(in.naturalAccount);
    }
    legal_->setText(in.legalAccount);
    if (problem) {
        QLineEdit* field = problem->field == CodeField::Name             ? name_
                           : problem->field == CodeField::NaturalAccount ? natural_
                                                                          : legal_;
        field->setFocus();
        ui::ShowProblem(problem->message, field);
        return;
    }
    accepted_ = in;
    accept();
}

// --- TFClasificare ---

TFClasificare::TFClasificare(QWidget* parent) : QDialog(parent)
{
    setObjectName("TFClasificare");
    setWindowTitle(yeartext::CodesCaption());
    setModal(true);
    resize(760, 460);

    model_ = new TextRowsModel({yeartext::DenumireaCreantei(), yeartext::CodPersoaneFizice(), yeartext::CodPersoaneJuridice()}, {},
                               this);
    grid_ = new QTableView(this);
    grid_->setObjectName("SMDBGrid1");
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setAlternatingRowColors(true);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    grid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grid_->horizontalHeader()->setSectionsClickable(true);
    const int codeWidth = fontMetrics().horizontalAdvance(QStringLiteral("RO49AAAA1B31007593840000")) + 24;
    grid_->setColumnWidth(1, codeWidth);
    grid_->setColumnWidth(2, codeWidth);
    grid_->installEventFilter(this);
    connect(grid_, &QTableView::doubleClicked, this, [this] { ModificaClick(); });
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, &TFClasificare::TitleClick);

    add_ = button(yeartext::CodesAdd(), "Adauga", this);
    modify_ = button(yeartext::CodesModify(), "Modifica", this);
    delete_ = button(yeartext::CodesDelete(), "Sterge", this);
    connect(add_, &QPushButton::clicked, this, &TFClasificare::AdaugaClick);
    connect(modify_, &QPushButton::clicked, this, &TFClasificare::ModificaClick);
    connect(delete_, &QPushButton::clicked, this, &TFClasificare::StergeClick);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(modify_);
    buttons->addWidget(delete_);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(MakeHeadingBand(yeartext::CodesCaption(), this));
    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 4, 10, 0);
    body->addWidget(grid_, 1);
    body->addLayout(buttons);
    layout->addLayout(body, 1);

    dialog_ = std::make_unique<TFAddCODCL>(this);
    runDialog_ = [](QDialog& d) { return d.exec(); };
}

TFClasificare::~TFClasificare() = default;

TFClasificare& TFClasificare::Shared()
{
    // Lives for the whole run; never destroyed at exit, when the widgets' application may be gone.
    static TFClasificare* window = new TFClasificare();
    return *window;
}

void TFClasificare::use(storage::Database& db, db::Counters& counters)
{
    db_ = &db;
    counters_ = &counters;
}

ClassificationCodes TFClasificare::codes()
{
    if (!db_ || !counters_)
        throw std::logic_error("the classification codes window has no data folder");
    return ClassificationCodes(*db_, *counters_);
}

bool TFClasificare::ShowClassificationCodes()
{
    Prepare();
    runDialog_(*this);
    return changed_;
}

void TFClasificare::Prepare()
{
    changed_ = false;
    order_ = CodeOrder::Default;
    refresh(-1);
    grid_->setFocus();
}

void TFClasificare::showError(const std::exception& e)
{
    ui::ShowMessage(yeartext::CodesCaption(), QString::fromUtf8(e.what()), ui::BtnOk, ui::KindEroare);
}

void TFClasificare::refresh(int64_t select)
{
    std::vector<TextRowsModel::Row> rows;
    try {
        for (const CodeRow& r : codes().List(order_))
            rows.push_back({r.idcod, {r.grupa, r.codclf, r.codclj}});
    } catch (const std::exception& e) {
        model_->setRows({});
        showError(e);
        return;
    }
    model_->setRows(std::move(rows));
    if (!selectId(select) && model_->rowCount() > 0)
        grid_->selectRow(0);
}

int64_t TFClasificare::selectedId() const
{
    const QModelIndex current = grid_->selectionModel()->currentIndex();
    if (!grid_->selectionModel()->hasSelection() || !current.isValid())
        return -1;
    return model_->idAt(current.row());
}

bool TFClasificare::selectId(int64_t idcod)
{
    const int row = idcod < 0 ? -1 : model_->rowOf(idcod);
    if (row < 0)
        return false;
    grid_->selectRow(row);
    grid_->scrollTo(model_->index(row, 0));
    return true;
}

void TFClasificare::TitleClick(int column)
{
    static const CodeOrder orders[] = {CodeOrder::Name, CodeOrder::NaturalCode, CodeOrder::LegalCode};
    if (column < 0 || column > 2)
        return;
    const int64_t keep = selectedId();
    order_ = orders[column];
    refresh(keep);
}

void TFClasificare::AdaugaClick()
{
    try {
        ClassificationCodes c = codes();
        dialog_->ResetForAdd();
        if (!dialog_->ShowDialog(yeartext::CodeAddHeading(), [&c](CodeInput& in) { return c.Check(in); }))
            return;
        const int64_t id = c.Add(dialog_->accepted());
        changed_ = true;
        refresh(id);
    } catch (const std::exception& e) {
        showError(e);
    }
}

void TFClasificare::ModificaClick()
{
    if (model_->rowCount() == 0) {
        ui::ShowProblem(yeartext::NothingToModify(), grid_);
        return;
    }
    const int64_t id = selectedId();
    if (id < 0)
        return;
    try {
        ClassificationCodes c = codes();
        const std::optional<CodeRow> row = c.Find(id);
        if (!row) {
            refresh(-1);
            return;
        }
        dialog_->LoadForModify(*row);
        if (!dialog_->ShowDialog(yeartext::CodeModifyHeading(), [&c, id](CodeInput& in) { return c.Check(in, id); }))
            return;
        c.Modify(*row, dialog_->accepted());
        changed_ = true;
        refresh(id);
    } catch (const std::exception& e) {
        showError(e);
    }
}

void TFClasificare::StergeClick()
{
    if (model_->rowCount() == 0) {
        ui::ShowProblem(yeartext::NothingToDelete(), grid_);
        return;
    }
    const int64_t id = selectedId();
    if (id < 0)
        return;
    if (!ClassificationCodes::CanDelete(id)) {
        ui::ShowMessage(yeartext::DeleteClaimTitle(), yeartext::DeleteClaimForbidden(), ui::BtnOk, ui::KindEroare);
        return;
    }
    if (!ui::AskYes(yeartext::DeleteClaimTitle(), yeartext::DeleteClaimQuestion(), ui::KindAtentie))
        return;
    try {
        if (codes().Delete(id))
            changed_ = true;
        refresh(-1);
    } catch (const std::exception& e) {
        showError(e);
    }
}

bool TFClasificare::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ModificaClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool ShowClassificationCodes(storage::Database& db, db::Counters& counters)
{
    TFClasificare& window = TFClasificare::Shared();
    window.use(db, counters);
    return window.ShowClassificationCodes();
}

} // namespace lirma::assessment
