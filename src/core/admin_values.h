// The administrator values: one store of every input of the administrator window, keyed by
// component name without regard to case (EC1ZA, AUTO1, G1A, PrimariaLab ...). The window's
// widgets are bound to it, so the computations read the values here without any window.
#pragma once

#include "core/admin_fields.h"
#include "platform/base/decimal.h"

#include <QHash>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QWidget;

namespace lirma::core {

class AdminValues {
public:
    // Every input of AdminPages() at its design value, level pages locked.
    AdminValues();
    ~AdminValues();
    AdminValues(const AdminValues&) = delete;
    AdminValues& operator=(const AdminValues&) = delete;

    bool contains(const QString& name) const { return find(name) >= 0; }
    // The input's definition; nullptr for an unknown name.
    const AdminInput* input(const QString& name) const;
    // Component names in component order (page after page).
    QStringList names() const;

    // The text of a text, numeric or list input ("" for an unknown name); a check box
    // gives "DA" or "NU".
    QString text(const QString& name) const;
    // The value as a decimal; nullopt when the text is no number.
    std::optional<base::Decimal> number(const QString& name) const;
    // The value as a decimal, 0 when the text is no number.
    base::Decimal numberOrZero(const QString& name) const { return number(name).value_or(base::Decimal()); }
    bool isChecked(const QString& name) const;

    // Sets the text of an input; false for an unknown name or a check box. A text input keeps
    // at most its maxLength characters; a numeric one is trimmed. A list box selects the
    // entry equal to the text; a text not among its entries is added as an entry and
    // selected, so the value is kept (the empty text selects nothing).
    bool setText(const QString& name, const QString& text);
    // Checks or clears a check box; false for an unknown name or another kind of input.
    bool setChecked(const QString& name, bool checked);
    // A list box's entries (with any added by setText).
    QStringList entries(const QString& name) const;

    // Level inputs are read-only until their page is unlocked.
    bool isReadOnly(const QString& name) const;
    void setPageUnlocked(AdminPage page, bool unlocked);
    bool isPageUnlocked(AdminPage page) const;
    // Locks every page again.
    void lockAll();

    // Every input back to its design value and its design entries.
    void resetToDesign();

    // The values as they were last loaded or saved, to tell what the user changed since.
    void markLoaded();
    QString loadedText(const QString& name) const;

    // Binds a widget (QLineEdit, QComboBox or QCheckBox) to the input named by its objectName:
    // the widget shows the stored value and read-only state, and what the user types is stored.
    // false when the name is unknown or the widget does not fit the input's kind.
    bool bind(QWidget* widget);
    // The bound widget of an input, or nullptr (for balloons beside it).
    QWidget* widget(const QString& name) const;

private:
    struct Entry {
        const AdminInput* def = nullptr;
        QString text;
        QString loaded;
        bool checked = false;
        QStringList entries;
        QPointer<QWidget> widget;
        QMetaObject::Connection connection;
    };

    int find(const QString& name) const;
    void push(Entry& e);
    void pushReadOnly(Entry& e);
    void store(Entry& e, const QString& text);

    std::vector<Entry> entries_;
    QHash<QString, int> index_; // upper-cased name -> entry
    bool unlocked_[kAdminPageCount] = {};
    bool pushing_ = false;
};

// The administrator values of this run, loaded at start-up and after every closing of the
// administrator window. Window thread only.
AdminValues& AdminStore();

} // namespace lirma::core
