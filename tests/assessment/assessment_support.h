// A data folder with every permanent table for the yearly-debts tests: the database, the settings
// file with its counters, the scripted interaction, and helpers that store taxpayers and their
// asset pages through the storage API.
#pragma once

#include "assessment/tax_items.h"
#include "db/catalog.h"
#include "db/counters.h"
#include "db/settings.h"
#include "platform/storage/storage.h"
#include "platform/ui/scripted_interaction.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace lirma::test {

// Output of a command, or "" when it failed.
inline std::string RunCommand(const std::string& cmd)
{
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    return pclose(p) == 0 ? out : std::string();
}

// The rows of a table as dbfread (an independent reader) sees them, each row its values joined
// by tabs in column order.
inline std::vector<std::string> DbfreadRows(const QString& path)
{
    const std::string out =
        RunCommand("/usr/bin/python3 '" LIRMA_TEST_TOOLS_DIR "/dbf_tsv.py' '" + path.toStdString() + "'");
    std::vector<std::string> rows;
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find('\n', start);
        if (end == std::string::npos)
            end = out.size();
        const std::string line = out.substr(start, end - start);
        start = end + 1;
        if (line.rfind("R\t", 0) == 0) {
            const size_t second = line.find('\t', 2);
            rows.push_back(second == std::string::npos ? std::string() : line.substr(second + 1));
        }
    }
    return rows;
}

class AssessmentFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        data = dir.filePath("Data");
        ASSERT_TRUE(QDir().mkpath(data));
        db = std::make_unique<storage::Database>(data.toStdString());
        settings = std::make_unique<db::Settings>(db::Settings::inFolders(data, data));
        counters = std::make_unique<db::Counters>(db::settingsPathIn(data));
        db::CreateMissingTables(*db, {}, [this] { return counters->NextId(db::keys::IDCOD).toLongLong(); });
    }
    void TearDown() override { db.reset(); }

    // A taxpayer of Gospodar.dbf with no exemption.
    void addTaxpayer(int64_t idgos, const std::string& rol, const std::string& name, const std::string& tip = "FIZICA",
                     const std::string& satul = "DEALU")
    {
        db->exec("INSERT INTO Gospodar (IDGOS, SATUL, ROL, NUMEP, TIP, NRPERS, SCCLAD, SCCC, SCTI, SCAUTO, SCTE, NOTAX) "
                 "VALUES (?, ?, ?, ?, ?, 1, 0, 0, 0, 0, 0, 'NU')",
                 {idgos, satul, rol, name, tip});
    }
    // One value of a page table; the taxpayer's row is created when missing.
    void setPage(const std::string& table, int64_t idgos, const std::string& column, const std::string& value)
    {
        if (db->scalar("SELECT COUNT(*) FROM " + table + " WHERE IDGOS = ?", {idgos}).toInt() == 0)
            db->exec("INSERT INTO " + table + " (IDGOS) VALUES (?)", {idgos});
        db->exec("UPDATE " + table + " SET " + column + " = ? WHERE IDGOS = ?", {value, idgos});
    }
    // The reference house: 100 m2 of concrete with utilities, zone A, rank 0, finished in 2004:
    // 100 x 1000 x 2.60 x 1 = 260000 lei taxable, 0.1 % = 260 lei.
    void addHouse(int64_t idgos, int64_t idclad, const std::string& area = "100")
    {
        db->exec("INSERT INTO Pag2 (IDGOS, IDCLAD, IDMANUAL, MIXTA, APT8, TIPC, ACTAGR, DATAEVAL, VALOAREN, DESTINATIE, "
                 "ZONA, RANG, SUPRAFD, ANUL, CODMAT, CUUTIL, VALOAREJR, DATAIN, DATAVANZ, DATAOUT) VALUES "
                 "(?, ?, ?, '', 'NU', 'R', 'NU', '2000-01-01', 0, 1, 'A', 0, ?, 2004, 0, 'DA', 0, '2015-03-01', "
                 "'1900-01-01', '1900-01-01')",
                 {idgos, idclad, idclad, area});
    }

    // Every row of a table, in the given order, columns joined by tabs as the engine gives them.
    std::vector<std::string> dump(const std::string& table, const std::string& order)
    {
        std::vector<std::string> out;
        for (const auto& row : db->query("SELECT * FROM " + table + " ORDER BY " + order).rows) {
            std::string line;
            for (size_t c = 0; c < row.size(); ++c)
                line += (c ? "\t" : "") + row[c].toText();
            out.push_back(line);
        }
        return out;
    }
    QByteArray fileBytes(const QString& file) const
    {
        QFile f(QDir(data).filePath(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    int64_t scalar(const std::string& sql, const storage::Params& params = {})
    {
        return db->scalar(sql, params).toInt();
    }

    QTemporaryDir dir;
    QString data;
    std::unique_ptr<storage::Database> db;
    std::unique_ptr<db::Settings> settings;
    std::unique_ptr<db::Counters> counters;
    ui::ScriptedInteraction scripted;
    ui::ScopedInteraction scope{scripted};
};

} // namespace lirma::test

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE
