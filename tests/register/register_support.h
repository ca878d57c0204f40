// A data folder with every permanent table for the register tests: the database, the settings
// file with its counters, and the scripted interaction.
#pragma once

#include "db/catalog.h"
#include "db/counters.h"
#include "db/settings.h"
#include "platform/storage/storage.h"
#include "platform/ui/scripted_interaction.h"
#include "register/taxpayer_register.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace lirma::test {

// Output of a command, or "" when it failed.
inline std::string runCommand(const std::string& cmd)
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

// The rows of a table as dbfread (an independent reader) sees them: column -> text, per row.
inline std::vector<std::map<std::string, std::string>> ReadWithDbfread(const QString& path)
{
    const std::string out = runCommand("/usr/bin/python3 '" LIRMA_TEST_TOOLS_DIR "/dbf_tsv.py' '" +
                                       path.toStdString() + "'");
    std::vector<std::string> fields;
    std::vector<std::map<std::string, std::string>> rows;
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find('\n', start);
        if (end == std::string::npos)
            end = out.size();
        const std::string line = out.substr(start, end - start);
        start = end + 1;
        std::vector<std::string> cells;
        size_t s = 0;
        for (;;) {
            const size_t t = line.find('\t', s);
            cells.push_back(line.substr(s, t == std::string::npos ? std::string::npos : t - s));
            if (t == std::string::npos)
                break;
            s = t + 1;
        }
        if (cells.size() >= 3 && cells[0] == "F")
            fields.push_back(cells[2]);
        else if (!cells.empty() && cells[0] == "R") {
            std::map<std::string, std::string> row;
            for (size_t i = 0; i < fields.size() && i + 2 < cells.size(); ++i)
                row[fields[i]] = cells[i + 2];
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

class RegisterFolderTest : public ::testing::Test {
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
        reg = std::make_unique<reg::TaxpayerRegister>(*db, *counters);
    }
    void TearDown() override
    {
        reg.reset();
        db.reset();
    }

    static reg::TaxpayerInput input(const QString& village, const QString& role, const QString& name,
                                    const QString& code = {})
    {
        reg::TaxpayerInput in;
        in.village = village;
        in.role = role;
        in.name = name;
        in.code = code;
        in.persons = "1";
        in.type = "FIZICA";
        in.noPenalty = "NU";
        in.scclad = in.sccc = in.scti = in.scauto = in.scte = "0";
        return in;
    }
    // A taxpayer stored through the register's own Add.
    int64_t add(const QString& village, const QString& role, const QString& name, const QString& code = {})
    {
        return reg->Add(input(village, role, name, code));
    }
    int64_t count(const std::string& table, int64_t idgos)
    {
        return db->scalar("SELECT COUNT(*) FROM " + table + " WHERE IDGOS = ?", {idgos}).toInt();
    }
    QString tablePath(const QString& file) const { return QDir(data).filePath(file); }
    void lockYear(bool locked)
    {
        ASSERT_TRUE(settings->write(db::keys::ADMINBLOCAT, locked ? "DA" : "NU", "2024"));
    }

    QTemporaryDir dir;
    QString data;
    std::unique_ptr<storage::Database> db;
    std::unique_ptr<db::Settings> settings;
    std::unique_ptr<db::Counters> counters;
    std::unique_ptr<reg::TaxpayerRegister> reg;
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
