// balance: the three work tables of the collections window for one taxpayer, as CalcOm fills them.
#include "commands.h"

#include "collections/balance_store.h"
#include "db/settings.h"
#include "platform/base/dates.h"
#include "platform/storage/storage.h"

#include <QString>

#include <iostream>
#include <stdexcept>

namespace {

using namespace lirma;

void printTable(const char* name, const std::vector<storage::FieldDef>& layout, const std::vector<QStringList>& rows)
{
    std::cout << name << "\n";
    for (size_t c = 0; c < layout.size(); ++c)
        std::cout << (c ? "\t" : "") << layout[c].name;
    std::cout << "\n";
    for (const QStringList& row : rows)
        std::cout << row.join(QLatin1Char('\t')).toStdString() << "\n";
}

int runBalance(cli::Context& ctx, const std::vector<std::string>& args)
{
    std::optional<int64_t> idgos;
    QDate date = collections::DefaultCalculationDate(QDate::currentDate());
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (i + 1 >= args.size())
            throw std::runtime_error("balance: " + a + " needs a value");
        const QString value = QString::fromStdString(args[++i]);
        if (a == "--idgos") {
            idgos = db::parseWhole(value);
            if (!idgos)
                throw std::runtime_error("balance: --idgos must be a whole number");
        } else if (a == "--date") {
            date = base::ParseDate(value);
            if (!date.isValid())
                throw std::runtime_error("balance: --date must be a date dd.MM.yyyy");
            // The window's date picker goes no further than 31 December of the fiscal year.
            date = std::min(date, collections::LatestCalculationDate());
        } else {
            throw std::runtime_error("balance: unknown argument " + a);
        }
    }
    if (!idgos)
        throw std::runtime_error("balance: --idgos N is required");

    storage::Database db(ctx.dataFolder);
    const QString folder = QString::fromStdString(ctx.dataFolder.string());
    const db::Settings settings = db::Settings::inFolders(folder, folder);
    const auto result = collections::CalcOm(db, settings, *idgos, date);
    if (!result)
        throw std::runtime_error("balance: no taxpayer with IDGOS " + std::to_string(*idgos));

    printTable("IMPOZITE", collections::ImpoziteLayout(), collections::ImpoziteCells(result->balance));
    printTable("TAXE", collections::TaxeLayout(), collections::TaxeCells(result->balance));
    printTable("DEBITE", collections::DebiteLayout(), collections::DebiteCells(result->balance));
    std::cout << "TOTAL\t" << result->balance.total << "\n";
    return 0;
}

cli::Registrar balanceCommand({"balance", true, runBalance});

} // namespace
