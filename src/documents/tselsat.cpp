#include "documents/tselsat.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lirma::documents {

QStringList SelSatVillages(storage::Database& db)
{
    QStringList out{QString::fromLatin1(kAnyVillage)};
    auto rs = db.query("SELECT DISTINCT SATUL FROM Gospodar WHERE SATUL IS NOT NULL AND SATUL <> ? ORDER BY SATUL",
                       {std::string()});
    for (const auto& row : rs.rows)
        out << QString::fromStdString(row[0].toText());
    return out;
}

TSelSat::TSelSat(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Rapoarte"));
    setObjectName(QStringLiteral("TSelSat"));
    heading_ = new QLabel(this);
    QFont bold = heading_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    heading_->setFont(bold);
    heading_->setAlignment(Qt::AlignCenter);
    auto* label = new QLabel(QStringLiteral("Localitatea"), this);
    localitatea_ = new QComboBox(this);
    localitatea_->setObjectName(QStringLiteral("Localitatea"));
    localitatea_->setMinimumWidth(260);
    label->setBuddy(localitatea_);
    amAles_ = new QPushButton(QStringLiteral("&Am ales"), this);
    amAles_->setObjectName(QStringLiteral("AmAles"));
    renunt_ = new QPushButton(QStringLiteral("&Renunt"), this);
    renunt_->setObjectName(QStringLiteral("Renunt"));
    amAles_->setAutoDefault(false);
    renunt_->setAutoDefault(false);
    connect(amAles_, &QPushButton::clicked, this, &QDialog::accept);
    connect(renunt_, &QPushButton::clicked, this, &QDialog::reject);

    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(localitatea_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(amAles_);
    buttons->addWidget(renunt_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addSpacing(8);
    layout->addLayout(field);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

void TSelSat::prepare(const QStringList& villages, const QString& title)
{
    heading_->setText(title);
    localitatea_->clear();
    localitatea_->addItems(villages);
    localitatea_->setCurrentIndex(0);
    localitatea_->setFocus();
}

bool TSelSat::Ask(storage::Database& db, const QString& title)
{
    prepare(SelSatVillages(db), title);
    return exec() == QDialog::Accepted;
}

QString TSelSat::village() const { return localitatea_->currentText(); }

bool TSelSat::anyVillage() const { return localitatea_->currentIndex() <= 0; }

void TSelSat::keyPressEvent(QKeyEvent* event)
{
    // Enter on the last (only) field confirms, as "&Am ales" does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !renunt_->hasFocus()) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace lirma::documents
