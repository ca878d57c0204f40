// The widgets of one asset page of the register window: its title, its fields laid out as the
// page shows them (named after the page's fields), and its pending-changes panel with
// "Anuleaza modificarile" and "Memoreaza modificarile". No data access here.
#pragma once

#include "register/asset_pages.h"

#include <QStringList>
#include <QWidget>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lirma::reg {

class AssetPageView : public QWidget {
    Q_OBJECT
public:
    explicit AssetPageView(AssetPage page, QWidget* parent = nullptr);

    AssetPage page() const { return page_; }
    const PageDef& def() const { return PageDefOf(page_); }

    // One text per field of the page, in the page's order.
    QStringList values() const;
    // Shows stored values; the pending-changes panel stays as it is.
    void setValues(const QStringList& values);
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return readOnly_; }

    QLineEdit* field(int index) const { return fields_[size_t(index)]; }
    QLineEdit* field(const QString& name) const;
    int fieldCount() const { return int(fields_.size()); }

    // The land pages' column headings (zone + " " + rank), one per column.
    void setColumnHeadings(const QStringList& headings);
    QStringList columnHeadings() const;

    // The pending-changes panel ("Modi1" ...).
    QWidget* panel() const { return panel_; }
    bool hasPendingChanges() const;
    void setPendingChanges(bool pending);
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* saveButton() const { return save_; }

signals:
    // The user changed a field.
    void edited();
    void cancelRequested();
    void saveRequested();

private:
    QLineEdit* makeField(const QString& name, QWidget* parent);
    QWidget* buildBody();
    QWidget* buildLandOutside();
    QWidget* buildLandInside();
    QWidget* buildVehicles();
    QWidget* buildUnregistered();
    QWidget* buildOtherTaxes();
    QWidget* buildAxleRows(bool combinations);
    QWidget* buildWater();
    QWidget* buildArrears();

    AssetPage page_;
    std::vector<QLineEdit*> fields_; // in the page's field order
    std::vector<QLabel*> headings_;
    QWidget* panel_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* save_ = nullptr;
    bool readOnly_ = false;
};

} // namespace lirma::reg
