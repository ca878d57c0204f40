// A data folder for the administrator settings tests: the database, the settings file, a store of
// values, the scripted interaction and the per-workstation store redirected into the folder.
// Ini.dbf files are read back through dbfread and written through python-dbf (independent tools).
#pragma once

#include "core/admin_settings.h"
#include "core/admin_values.h"
#include "db/catalog.h"
#include "db/settings.h"
#include "platform/registry/registry.h"
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

struct IniRow {
    std::string forma, nume, valoare;
    bool operator==(const IniRow&) const = default;
};

// The rows of an Ini.dbf as dbfread reads them, in file order.
inline std::vector<IniRow> ReadIniWithDbfread(const QString& path)
{
    const std::string out = runCommand("/usr/bin/python3 '" LIRMA_TEST_TOOLS_DIR "/dbf_tsv.py' '" +
                                       path.toStdString() + "'");
    std::vector<IniRow> rows;
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find('\n', start);
        if (end == std::string::npos)
            end = out.size();
        const std::string line = out.substr(start, end - start);
        start = end + 1;
        if (line.rfind("R\t", 0) != 0)
            continue;
        std::vector<std::string> cells;
        size_t s = 0;
        for (;;) {
            const size_t t = line.find('\t', s);
            cells.push_back(line.substr(s, t == std::string::npos ? std::string::npos : t - s));
            if (t == std::string::npos)
                break;
            s = t + 1;
        }
        // R, file, FORMA, NUME, VALOARE
        if (cells.size() >= 5)
            rows.push_back({cells[2], cells[3], cells[4]});
    }
    return rows;
}

// Writes an Ini.dbf with python-dbf: the layout of the catalog, the given rows.
inline bool WriteIniWithPythonDbf(const QString& path, const std::vector<IniRow>& rows)
{
    std::string json = "[";
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i)
            json += ",";
        json += "[\"" + rows[i].forma + "\",\"" + rows[i].nume + "\",\"" + rows[i].valoare + "\"]";
    }
    json += "]";
    const std::string cmd = "/usr/bin/python3 '" LIRMA_TEST_TOOLS_DIR "/dbf_write.py' '" + path.toStdString() +
                            "' 'FORMA C(12); NUME C(32); VALOARE C(40)' '" + json + "' && echo ok";
    return runCommand(cmd) == "ok\n";
}

class AdminFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        data = dir.filePath("Data");
        ASSERT_TRUE(QDir().mkpath(data));
        registry::Registry::setStoreFolder(dir.filePath("registry"));
        db = std::make_unique<storage::Database>(data.toStdString());
        settings = std::make_unique<db::Settings>(db::Settings::inFolders(data, data));
        admin = std::make_unique<core::AdminSettings>(values, *db, *settings);
    }
    void TearDown() override
    {
        admin.reset();
        db.reset();
        registry::Registry::setStoreFolder(QString());
    }

    QString iniPath() const { return QDir(data).filePath("Ini.dbf"); }
    // A data folder's Ini.dbf written by the independent writer, before the database sees it.
    void writeIni(const std::vector<IniRow>& rows)
    {
        db.reset();
        ASSERT_TRUE(WriteIniWithPythonDbf(iniPath(), rows));
        db = std::make_unique<storage::Database>(data.toStdString());
        admin = std::make_unique<core::AdminSettings>(values, *db, *settings);
    }
    std::map<std::string, std::map<std::string, std::string>> iniByOwner() const
    {
        std::map<std::string, std::map<std::string, std::string>> m;
        for (const IniRow& r : ReadIniWithDbfread(iniPath()))
            m[r.forma][r.nume] = r.valoare;
        return m;
    }
    QString setting(const char* section, const char* key) const { return settings->ReadSetting(section, key); }

    QTemporaryDir dir;
    QString data;
    std::unique_ptr<storage::Database> db;
    std::unique_ptr<db::Settings> settings;
    core::AdminValues values;
    std::unique_ptr<core::AdminSettings> admin;
    ui::ScriptedInteraction scripted;
    ui::ScopedInteraction scope{scripted};
};

} // namespace lirma::test

// Readable QString values in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE
