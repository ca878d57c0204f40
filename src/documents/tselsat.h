// TSelSat "Rapoarte": the village dialog of the lists that ask only for a village ("Lista numar
// persoane"). The caller reads the chosen village from it after it closes.
#pragma once

#include "platform/storage/storage.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;

namespace lirma::documents {

// First entry of the village field: any village.
inline constexpr char kAnyVillage[] = "* indiferent *";

// "* indiferent *" followed by the distinct non-empty villages (SATUL) of Gospodar.dbf, in order.
QStringList SelSatVillages(storage::Database& db);

class TSelSat : public QDialog {
    Q_OBJECT
public:
    explicit TSelSat(QWidget* parent = nullptr);

    // Refills the village field (first entry selected), shows the title as the heading, and waits:
    // true when "&Am ales" was pressed, false on "&Renunt" or Esc.
    bool Ask(storage::Database& db, const QString& title);
    // The same without reading the villages: what Ask shows before it waits.
    void prepare(const QStringList& villages, const QString& title);

    // The text of the village field, and whether it is the first entry (any village).
    QString village() const;
    bool anyVillage() const;

    QLabel* heading() const { return heading_; }
    QComboBox* Localitatea() const { return localitatea_; }
    QPushButton* AmAles() const { return amAles_; }
    QPushButton* Renunt() const { return renunt_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* heading_;
    QComboBox* localitatea_;
    QPushButton* amAles_;
    QPushButton* renunt_;
};

} // namespace lirma::documents
