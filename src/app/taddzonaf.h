// TAddZonaF "Constante de calcul": a village with its zone and rank, added or modified from the
// zones page of the administrator window.
#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lirma::app {

class TAddZonaF : public QDialog {
    Q_OBJECT
public:
    // The check of "&Memoreaza": the balloon text for the locality ("" when it may be stored) and
    // the cleaned locality.
    using Check = std::function<QString(const QString& locality, QString* cleaned)>;

    explicit TAddZonaF(QWidget* parent = nullptr);

    // "Adaugare zona" with the default zone and rank, or "Modificare zona" with a village's values.
    void prepareAdd(const QString& zone, const QString& rank);
    void prepareModify(const QString& locality, const QString& zone, const QString& rank);
    void setCheck(Check check) { check_ = std::move(check); }

    // "&Memoreaza": cleans the locality, checks it (balloon at the field) and confirms.
    void MemoreazaClick();

    QString locality() const;
    QString zone() const;
    QString rank() const;

    QLabel* titleLine() const { return title_; }
    QLineEdit* Localitatea() const { return locality_; }
    QComboBox* Zona() const { return zone_; }
    QComboBox* Rangul() const { return rank_; }
    QPushButton* Memoreaza() const { return memoreaza_; }
    QPushButton* Renunt() const { return renunt_; }

private:
    QLabel* title_;
    QLineEdit* locality_;
    QComboBox* zone_;
    QComboBox* rank_;
    QPushButton* memoreaza_;
    QPushButton* renunt_;
    Check check_;
};

} // namespace lirma::app
