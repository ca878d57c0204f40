// The taxpayer register (Gospodar.dbf) without any window: the list the register window shows
// with its filter and sorting, and the add, modify and delete commands with their checks and
// questions. Questions and balloons go through the interaction service.
#pragma once

#include "db/counters.h"
#include "platform/storage/storage.h"
#include "platform/ui/interaction.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace lirma::reg {

inline constexpr int kVillageWidth = 32;
inline constexpr int kRoleWidth = 9;
inline constexpr int kNameWidth = 40;
inline constexpr int kStreetWidth = 40;
inline constexpr int kAddressWidth = 160;
inline constexpr int kHeirsWidth = 200;
inline constexpr int kRemarkPartWidth = 240; // OBS and OBS2 each
inline constexpr int kRemarksMax = 2 * kRemarkPartWidth;
inline constexpr int kOperatorWidth = 6;
inline constexpr int kPersonsDigits = 2;

// One row of Gospodar.dbf. The list holds the columns of the grid only (heirs, remarks,
// NOTAX and INDOP are empty there, `detailed` false); Fetch gives the whole row.
struct Taxpayer {
    int64_t idgos = 0;
    QString satul, rol, numep, cnp, strada, adresa, most;
    int64_t nrpers = 0;
    QString tip;
    int64_t scclad = 0, sccc = 0, scti = 0, scauto = 0, scte = 0;
    QString obs, obs2, notax, indop;
    bool detailed = false;

    // OBS followed by OBS2, as the remark was typed.
    QString remarks() const;
};

// The remark as stored: cleaned of extra spaces and split into 240 + 240 characters.
std::pair<QString, QString> SplitRemarks(const QString& remarks);
// The stored halves joined again. The table keeps no trailing spaces, so a space that ended
// OBS is put back when OBS2 follows.
QString JoinRemarks(const QString& obs, const QString& obs2);

// The text as the table gives it back: the comma-below letters (ș ț Ș Ț), which the file's
// code page lacks, become their cedilla forms. Typed text is compared with stored text in
// this form.
QString StoredForm(const QString& text);

// Columns of the register grid, in order.
enum class GridColumn {
    Satul, Rol, Numep, Tip, NrPers, Cnp, Strada, Adresa, ScClad, ScCC, ScTE, ScTI, ScAuto, Count
};
inline constexpr int kGridColumnCount = int(GridColumn::Count);
// The Gospodar column of a grid column ("SATUL" ...).
QString GridField(GridColumn column);

// The inputs of the add/modify dialog, as texts.
struct TaxpayerInput {
    QString village, role, name, code, street, address, persons, heirs, type, noPenalty, indop, remarks;
    QString scclad, sccc, scti, scauto, scte;
};

// The dialog's fields that checks point at.
enum class InputField { Village, Role, Code, Name };

class TaxpayerRegister {
public:
    TaxpayerRegister(storage::Database& db, db::Counters& counters);

    // --- the list ---
    // Reads every taxpayer again (the list is "reopened"), keeping sort and filter.
    void Reload();
    bool loaded() const { return loaded_; }
    // The filter fields: a village other than "" and " * indiferent *" keeps its rows; a role
    // (trimmed) keeps the rows with that role; a name keeps the names that begin with it.
    void SetFilter(const QString& village, const QString& role, const QString& name);
    // Orders the list by one column (the default order is village, name, role). A role is
    // compared as a number when both are made of digits.
    void SortBy(GridColumn column);
    std::optional<GridColumn> sortColumn() const { return sort_; }

    int visibleCount() const { return int(visible_.size()); }
    const Taxpayer& visible(int row) const { return all_[visible_[size_t(row)]]; }
    // Row of a taxpayer in the visible list; -1 when it is not shown.
    int rowOf(int64_t idgos) const;
    int totalCount() const { return int(all_.size()); }
    // Taxpayers of the list (loaded rows), shown or not.
    const Taxpayer* find(int64_t idgos) const;
    // The whole stored row of a taxpayer, read now; nullopt when it is no longer stored.
    std::optional<Taxpayer> Fetch(int64_t idgos);

    // --- lists of the dialog ---
    QStringList Streets();   // distinct non-empty STRADA, sorted
    QStringList Operators(); // distinct non-empty INDOP, sorted
    // One more than the largest role number made only of digits; "1" when there is none.
    QString SuggestRole();

    // --- the dialog's checks, in order ---
    // Cleans the inputs (CleanSpaces; persons as a number), then: village, role, code, name
    // (each a balloon on its field), the duplicate role question and the duplicate code
    // question. `widgetOf` gives the field of a balloon (nullptr without a window). `focus`
    // receives the field that must take the focus when the check stops. true when accepted.
    using FieldWidget = std::function<QWidget*(InputField)>;
    bool Validate(TaxpayerInput& input, std::optional<int64_t> editedId, const FieldWidget& widgetOf,
                  InputField* focus = nullptr);

    // --- commands (the inputs already validated) ---
    // Inserts the taxpayer under a new IDGOS with its zero rows in the six page tables, all in
    // one transaction; returns the IDGOS. Throws on failure, then nothing was stored.
    int64_t Add(const TaxpayerInput& input);
    // Rewrites the taxpayer's row; a new village or role is copied into its Datorii and
    // SoldCalc rows (its own rows only, by IDGOS). One transaction.
    void Modify(int64_t idgos, const TaxpayerInput& input);
    // The four questions of "&Sterge ROL"; true after four DA answers.
    bool ConfirmDelete(const Taxpayer& taxpayer);
    // Deletes every row of the taxpayer, Gospodar's last, in one transaction; the progress
    // window shows "Sterg gospodaria..." meanwhile.
    void Delete(int64_t idgos, ui::Progress* progress = nullptr);
    // The tables Delete empties of a taxpayer's rows, in order (Gospodar last).
    static const QStringList& DeletedTables();

    storage::Database& database() { return db_; }

private:
    void applyOrder();
    void applyFilter();
    storage::Params rowParams(const TaxpayerInput& input) const;

    storage::Database& db_;
    db::Counters& counters_;
    std::vector<Taxpayer> all_;  // in the list's order
    std::vector<int> visible_;   // indexes into all_
    std::optional<GridColumn> sort_;
    QString village_, role_, name_;
    bool loaded_ = false;
};

} // namespace lirma::reg
