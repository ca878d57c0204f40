// pay: "&OPEREAZA" for one taxpayer without the window: the amounts typed, the operation confirmed
// as the dialog shows it (except --doc and --number), the stored receipt lines printed.
#include "commands.h"

#include "collections/payment_store.h"
#include "core/activity_log.h"
#include "core/admin_settings.h"
#include "core/admin_values.h"
#include "db/counters.h"
#include "db/settings.h"
#include "platform/base/dates.h"
#include "platform/base/files.h"
#include "platform/storage/storage.h"

#include <QString>

#include <iostream>
#include <stdexcept>

namespace {

using namespace lirma;
using collections::TypedAmount;

TypedAmount parseRow(const QString& text)
{
    // IDRES:id=AMOUNT, IDDAT:id=AMOUNT or IDDEB:id=AMOUNT
    const int colon = text.indexOf(QLatin1Char(':'));
    const int eq = text.indexOf(QLatin1Char('='));
    if (colon < 0 || eq < colon)
        throw std::runtime_error("pay: --row must be IDRES:id=AMOUNT, IDDAT:id=AMOUNT or IDDEB:id=AMOUNT");
    TypedAmount t;
    const QString kind = text.left(colon).toUpper();
    if (kind == QLatin1String("IDRES"))
        t.table = TypedAmount::Table::Impozite;
    else if (kind == QLatin1String("IDDAT"))
        t.table = TypedAmount::Table::Taxe;
    else if (kind == QLatin1String("IDDEB"))
        t.table = TypedAmount::Table::Debite;
    else
        throw std::runtime_error("pay: --row must start with IDRES, IDDAT or IDDEB");
    const auto id = db::parseWhole(text.mid(colon + 1, eq - colon - 1));
    const auto amount = db::parseWhole(text.mid(eq + 1));
    if (!id || !amount)
        throw std::runtime_error("pay: --row needs a whole identifier and a whole amount");
    t.id = *id;
    t.amount = *amount;
    return t;
}

int runPay(cli::Context& ctx, const std::vector<std::string>& args)
{
    std::optional<int64_t> idgos;
    // --user is taken by the program's own options, wherever it stands.
    QString user = QString::fromStdString(ctx.user);
    QDate date = collections::DefaultCalculationDate(QDate::currentDate());
    bool all = false;
    std::vector<TypedAmount> rows;
    collections::PaymentRequest request;
    std::optional<QString> doc;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--all") {
            all = true;
            continue;
        }
        if (i + 1 >= args.size())
            throw std::runtime_error("pay: " + a + " needs a value");
        const QString value = QString::fromStdString(args[++i]);
        if (a == "--idgos") {
            idgos = db::parseWhole(value);
            if (!idgos)
                throw std::runtime_error("pay: --idgos must be a whole number");
        } else if (a == "--user") {
            user = value;
        } else if (a == "--date") {
            date = base::ParseDate(value);
            if (!date.isValid())
                throw std::runtime_error("pay: --date must be a date dd.MM.yyyy");
            date = std::min(date, collections::LatestCalculationDate());
        } else if (a == "--row") {
            rows.push_back(parseRow(value));
        } else if (a == "--doc") {
            doc = value;
        } else if (a == "--number") {
            const auto n = db::parseWhole(value);
            if (!n || *n < 0 || value.trimmed().size() > 10)
                throw std::runtime_error("pay: --number must be a whole number of at most 10 digits");
            request.typedNumber = *n;
        } else {
            throw std::runtime_error("pay: unknown argument " + a);
        }
    }
    if (!idgos)
        throw std::runtime_error("pay: --idgos N is required");
    if (user.isEmpty())
        throw std::runtime_error("pay: --user NAME is required");
    if (all == !rows.empty())
        throw std::runtime_error("pay: give either --all or --row");
    if (doc) {
        const auto kind = collections::DocumentKindFromName(*doc);
        if (!kind)
            throw std::runtime_error("pay: unknown document kind " + doc->toStdString());
        request.document = *kind;
    }
    request.user = user;
    request.documentDate = date;

    storage::Database db(ctx.dataFolder);
    const QString folder = QString::fromStdString(ctx.dataFolder.string());
    db::Settings settings = db::Settings::inFolders(folder, folder);
    db::Counters counters(db::settingsPathIn(folder));
    core::AdminValues values;
    core::AdminSettings admin(values, db, settings);
    admin.Load(user);
    base::Folders folders = base::Folders::Detect();
    folders.data = folders.localData = folder;
    core::ActivityLog log(db, folders, [user] { return user; });
    const auto result = collections::Pay(db, counters, settings, values, &log, *idgos, date, all, rows, request);
    if (!result)
        throw std::runtime_error("pay: no taxpayer with IDGOS " + std::to_string(*idgos));
    if (result->outcome != collections::PaymentOutcome::Stored) {
        std::cerr << result->message.toStdString() << "\n";
        return 2;
    }
    std::cout << collections::ReceiptColumns().join(QLatin1Char('\t')).toStdString() << "\n";
    for (const auto& row : result->rows)
        std::cout << collections::ReceiptCells(row).join(QLatin1Char('\t')).toStdString() << "\n";
    return 0;
}

cli::Registrar payCommand({"pay", true, runPay});

} // namespace
