#include "app/tform5.h"

#include "app/tform3.h"
#include "core/current_user.h"
#include "core/own_account.h"
#include "platform/ui/interaction.h"
#include "platform/ui/upper_case.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lirma::app {

namespace {
constexpr int kTextMax = 32;
}

TForm5::TForm5(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName("TForm5");
    setWindowTitle(QStringLiteral("Utilizator"));
    setModal(true);

    parolaNoua_ = new QLineEdit(this);
    parolaNoua_->setObjectName("ParolaNoua");
    ui::MakeUpperCaseField(parolaNoua_, kTextMax, true);
    verifica_ = new QLineEdit(this);
    verifica_->setObjectName("VerificaParola");
    ui::MakeUpperCaseField(verifica_, kTextMax, true);
    legit_ = new QLineEdit(this);
    legit_->setObjectName("Legit");
    ui::MakeUpperCaseField(legit_, kTextMax);
    for (QLineEdit* f : {parolaNoua_, verifica_, legit_})
        f->setMinimumWidth(f->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 16);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Parola noua"), parolaNoua_);
    form->addRow(QStringLiteral("Verifica parola"), verifica_);
    form->addRow(QStringLiteral("Legitimatia"), legit_);

    memoreaza_ = new QPushButton(QStringLiteral("&Memoreaza"), this);
    memoreaza_->setObjectName("Memoreaza");
    renunt_ = new QPushButton(QStringLiteral("&Renunt"), this);
    renunt_->setObjectName("Renunt");
    // Enter moves between the fields; only the last one confirms.
    for (QPushButton* b : {memoreaza_, renunt_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(memoreaza_);
    buttons->addWidget(renunt_);

    auto* root = new QVBoxLayout(this);
    root->addLayout(form);
    root->addSpacing(6);
    root->addLayout(buttons);

    connect(parolaNoua_, &QLineEdit::returnPressed, verifica_, [this] { verifica_->setFocus(); });
    connect(verifica_, &QLineEdit::returnPressed, legit_, [this] { legit_->setFocus(); });
    connect(legit_, &QLineEdit::returnPressed, this, &TForm5::MemoreazaClick);
    connect(memoreaza_, &QPushButton::clicked, this, &TForm5::MemoreazaClick);
    connect(renunt_, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm5::prepare()
{
    const core::CurrentUserInfo& user = core::CurrentUser();
    parolaNoua_->setText(user.password);
    verifica_->setText(user.password);
    legit_->setText(user.legit);
    setResult(QDialog::Rejected);
    parolaNoua_->setFocus();
}

void TForm5::MemoreazaClick()
{
    const QString problem = core::CheckNewPassword(parolaNoua_->text(), verifica_->text());
    if (!problem.isEmpty()) {
        ui::ShowProblem(problem, parolaNoua_);
        parolaNoua_->setFocus();
        return;
    }
    accept();
}

bool TForm5::Show(const std::filesystem::path& dataFolder)
{
    prepare();
    if (exec() != QDialog::Accepted)
        return false;
    return core::SaveOwnAccount(dataFolder, parolaNoua_->text(), legit_->text());
}

void ShowContulMeu(TForm3& form)
{
    form.ownAccountWindow().Show(form.folders().data.toStdString());
}

} // namespace lirma::app
