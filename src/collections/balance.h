// What one taxpayer owes at a calculation date: arrears, penalties, the current year's amount and
// the early-payment discount of every yearly tax group, levy and debit. Pure: the rows come in as
// values and the three work-table row sets come out, so the collections window, the payment, the
// notices and the new-year import all run this same code.
#pragma once

#include "platform/base/edition.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace lirma::collections {

// The four yearly tax groups whose balances live in SoldCalc.dbf.
const QStringList& YearlyTaxGroups();
bool IsYearlyTaxGroup(const QString& grupa);

// Debit categories that carry late-payment penalties: "Cumparare", "Majorare", "Taxa".
bool DebitCategoryCarriesPenalty(const QString& categ);

// One row of SoldCalc.dbf (the columns the balance reads).
struct SoldCalcRow {
    int64_t IDRES = 0;
    QString GRUPA;
    int64_t SUMA = 0;    // assessed for the year
    int64_t REST = 0;    // part of SUMA still unpaid
    int64_t REDUC = 0;   // early-payment discount
    int64_t SCUTIRE = 0; // exempted amount
    int64_t DATOR = 0;   // arrears of previous years
    int64_t DEPOZ = 0;   // credit
    int64_t MAJOR = 0;   // penalties carried from previous years
    QString TIP;
};

// One row of Datorii.dbf (levies, fines, fixed taxes).
struct DatoriiRow {
    int64_t IDDAT = 0;
    QString GRUPA;
    QString DENUM;
    QString DOCJUS;
    int64_t NR = 0;
    QString TIP;
    int64_t SUMA = 0; // current amount still due; negative when overpaid
    QDate DINDATA;
    int64_t SUMA2 = 0;
    int64_t RESTINI = 0;
    int64_t REST = 0; // arrears still due
    int64_t REDUC = 0;
};

// One row of Debit.dbf.
struct DebitRow {
    int64_t IDDEB = 0;
    QString GRUPA;
    QString DOCJUS;
    int64_t NR = 0;
    QString CATEG;
    QString DENUM;
    QDate DINDATA;
    QDate PENDATA; // penalties run after it
    int64_t SUMAINI = 0;
    int64_t SUMAC = 0; // still due; negative when overpaid
};

// A row of the Impozite work table: the SoldCalc row and what is due on it.
struct ImpoziteRow : SoldCalcRow {
    int64_t CUR1 = 0;    // current amount to pay
    int64_t RAM1 = 0;    // arrears net of credit (negative: a credit without arrears)
    int64_t MAJOR1 = 0;  // all penalties, new and carried
    int64_t RED1 = 0;    // discount granted now
    int64_t SCUT1 = 0;   // exempted amount
    int64_t DEPLATA = 0; // total to pay
    int64_t ACHITAT = 0; // typed by the cashier
};

// A row of the Taxe work table.
struct TaxeRow : DatoriiRow {
    int64_t CUR1 = 0;
    int64_t REST1 = 0;
    int64_t DEPLATA = 0;
    int64_t ACHITAT = 0;
};

// A row of the Debite work table.
struct DebiteRow : DebitRow {
    int64_t MAJOR = 0; // penalty
    int64_t DEPLATA = 0;
    int64_t ACHITAT = 0;
};

// The two halves of a yearly tax and the unpaid part of each. From 50 lei on the tax is paid in
// two instalments (the second takes the odd leu) and what is unpaid is counted against the second
// first; under 50 lei all of it is due at the first term.
struct Instalments {
    int64_t unpaid1 = 0;
    int64_t unpaid2 = 0;
};
Instalments SplitInstalments(int64_t suma, int64_t rest);

struct BalanceOptions {
    bool naturalPerson = true;        // TIP "FIZICA"
    bool noPenalties = false;         // the taxpayer's NOTAX is "DA"
    bool discounts = true;            // false: every group's REDUC counts as 0 (notices)
    bool discountUnder50 = false;     // BONIF50
    bool discountLegalPersons = false; // REDUCERE_JURIDICE
    int fiscalYear = base::edition::FiscalYear;
};

// The taxpayer's rows as read, in table order.
struct BalanceInput {
    std::vector<SoldCalcRow> soldCalc;
    std::vector<DatoriiRow> datorii;
    std::vector<DebitRow> debit;
    // Groups whose discount is already on a receipt of this year (the discount history).
    QStringList discountedGroups;
};

struct Balance {
    std::vector<ImpoziteRow> impozite; // every SoldCalc row
    std::vector<TaxeRow> taxe;         // levies with something due or overpaid
    std::vector<DebiteRow> debite;     // debits with SUMAC not 0
    int64_t total = 0;                 // sum of DEPLATA
};

// The balance at calculation date `date` (a date after the fiscal year counts as 31 December of
// it for penalties). ACHITAT starts at 0 everywhere.
Balance ComputeBalance(const BalanceInput& input, const QDate& date, const BalanceOptions& options);

// "Valoare chitanta": the sum of ACHITAT over the three row sets.
int64_t ReceiptValue(const Balance& balance);
// The debt the debtor search shows after the window closes: positive RAM1 plus positive REST1.
int64_t SearchListDebt(const Balance& balance);

// The calculation date the window opens with: today, or 31 December of the fiscal year when
// today is later. It is also the latest date the window accepts.
QDate DefaultCalculationDate(const QDate& today, int fiscalYear = base::edition::FiscalYear);
QDate LatestCalculationDate(int fiscalYear = base::edition::FiscalYear);

// Double-click on a row: the total to pay, or 0 when the row already holds it.
int64_t ToggledAmount(int64_t achitat, int64_t deplata);
// A typed amount as stored in the Impozite and Debite grids: a negative amount lower than the
// row's total becomes the total. (The Taxe grid keeps what was typed.)
int64_t StoredTaxOrDebitAmount(int64_t typed, int64_t deplata);

} // namespace lirma::collections
