// assess: the yearly debts of one taxpayer (--idgos N) or of the whole register, as the two
// commands of the register window run them, recorded under the user of --user (ADMIN).
#include "commands.h"

#include "assessment/assessment_texts.h"
#include "assessment/yearly_debts.h"
#include "core/activity_log.h"
#include "core/admin_settings.h"
#include "core/admin_values.h"
#include "db/counters.h"
#include "db/settings.h"
#include "platform/base/files.h"
#include "platform/storage/storage.h"

#include <charconv>
#include <iostream>
#include <stdexcept>

using namespace lirma;

namespace {

void printRefusal(const assessment::Refusal& r)
{
    QString reason = r.reason;
    reason.replace(QLatin1Char('\r'), QLatin1Char(' '));
    std::cerr << r.idgos << "\t" << reason.trimmed().toStdString() << "\n";
}

int runAssess(cli::Context& ctx, const std::vector<std::string>& args)
{
    std::optional<int64_t> idgos;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--idgos" && i + 1 < args.size()) {
            int64_t n = 0;
            const std::string& t = args[++i];
            const auto res = std::from_chars(t.data(), t.data() + t.size(), n);
            if (res.ec != std::errc() || res.ptr != t.data() + t.size())
                throw std::runtime_error("assess: --idgos expects a whole number, not '" + t + "'");
            idgos = n;
        } else {
            throw std::runtime_error("assess: unexpected argument '" + args[i] + "'");
        }
    }

    const QString data = QString::fromStdString(ctx.dataFolder.string());
    const QString user = QString::fromStdString(ctx.user);
    storage::Database db(ctx.dataFolder);
    db::Settings settings = db::Settings::inFolders(data, data);
    db::Counters counters(db::settingsPathIn(data));
    core::AdminValues values;
    core::AdminSettings admin(values, db, settings);
    admin.Load(user);

    base::Folders folders = base::Folders::Detect();
    folders.data = folders.localData = data;
    core::ActivityLog log(db, folders, [user] { return user; });

    assessment::YearlyDebts debts(db, counters, assessment::AssessmentSettings::Load(values, settings));
    namespace text = assessment::text;
    if (idgos) {
        const storage::ResultSet found = db.query("SELECT ROL FROM Gospodar WHERE IDGOS = ?", {*idgos});
        if (found.empty())
            throw std::runtime_error("assess: no taxpayer with IDGOS " + std::to_string(*idgos));
        const std::optional<assessment::Refusal> refusal = debts.AssessTaxpayer(*idgos);
        if (refusal)
            printRefusal(*refusal);
        else
            log.LogAction(QString::fromStdString(found.rows[0][0].toText()).trimmed(), text::AddedOneAction());
        std::cout << text::AddedAll(refusal ? 0 : 1, refusal ? 1 : 0).trimmed().toStdString() << "\n";
        return refusal ? 2 : 0;
    }

    std::vector<int64_t> ids;
    for (const auto& row : db.query("SELECT IDGOS FROM Gospodar ORDER BY IDGOS").rows)
        ids.push_back(row[0].toInt());
    const assessment::YearlyDebts::RunResult result = debts.AssessAll(ids);
    for (const assessment::Refusal& r : result.refusals)
        printRefusal(r);
    log.LogAction(QString(), text::AddedAllAction(result.accepted));
    std::cout << text::AddedAll(result.accepted, result.rejected).trimmed().toStdString() << "\n";
    if (!result.error.isEmpty())
        throw std::runtime_error("assess: " + result.error.toStdString());
    return result.rejected > 0 ? 2 : 0;
}

cli::Registrar assessCommand({"assess", true, runAssess});

} // namespace
