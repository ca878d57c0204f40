// The budget classification codes: CODCL.dbf, one row per tax group ("creanta") with the code or
// treasury account its collections are booked to, for natural and for legal persons. Listing,
// the checks of the code dialog, adding, modifying (which rewrites the code on the receipt lines
// already issued for that group) and deleting, without any window.
#pragma once

#include "platform/storage/storage.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace lirma::db {
class Counters;
}

namespace lirma::assessment {

// One row of CODCL.dbf.
struct CodeRow {
    int64_t idcod = 0;
    QString grupa;
    QString codclf; // natural persons
    QString codclj; // legal persons
    QString tip;    // "I" a yearly tax on assets, "T" a fee
};

// The three fields of the code dialog.
struct CodeInput {
    QString name;
    QString naturalAccount;
    QString legalAccount;
};

enum class CodeField { Name, NaturalAccount, LegalAccount };

struct CodeProblem {
    CodeField field = CodeField::Name;
    QString message;
};

// Orders of the list: its own, and one per column of the grid.
enum class CodeOrder { Default, Name, NaturalCode, LegalCode };

// Rows with an identifier up to this one are the groups every database starts with.
inline constexpr int64_t kLastFixedCodeId = 12;

// The widths of the columns, which the dialog's fields keep to.
inline constexpr int kClaimNameWidth = 60;
inline constexpr int kAccountWidth = 24;

class ClassificationCodes {
public:
    ClassificationCodes(storage::Database& db, db::Counters& counters);

    // Every row, by the order asked: TIP then GRUPA by default.
    std::vector<CodeRow> List(CodeOrder order = CodeOrder::Default);
    std::optional<CodeRow> Find(int64_t idcod);

    // The checks of "Memoreaza", in order: the three fields cleaned (CleanSpaces) in place,
    // a name, both accounts, an account beginning with "RO" must be a valid bank account, and no
    // other row of the same name without regard to case (`editing`: the row being modified).
    std::optional<CodeProblem> Check(CodeInput& input, std::optional<int64_t> editing = std::nullopt);

    // Inserts a fee group (TIP "T") and returns its IDCOD.
    int64_t Add(const CodeInput& input);

    struct Modified {
        bool found = false;
        int64_t naturalLines = 0; // receipt lines of natural persons given the new code
        int64_t legalLines = 0;   // the same for legal persons
    };
    // Stores both accounts of the row; an account that differs from `before` is written into
    // CODCLAS of the receipt lines of that group and person type, in the same transaction.
    Modified Modify(const CodeRow& before, const CodeInput& input);

    static bool CanDelete(int64_t idcod) { return idcod > kLastFixedCodeId; }
    // Deletes a row added by users; false for the fixed ones and a missing row. Debts and
    // receipts that carry the name stay as they are.
    bool Delete(int64_t idcod);

private:
    storage::Database& db_;
    db::Counters& counters_;
};

// The code of a group for a natural person (CODCLF) or a legal one (CODCLJ); "" when the group
// is not in the list.
QString BudgetCode(storage::Database& db, const QString& group, bool naturalPerson);

// The names a levy may take: the distinct non-empty GRUPA values whose TIP is not "I", ordered.
QStringList LevyNames(storage::Database& db);

} // namespace lirma::assessment
