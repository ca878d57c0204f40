#include "db/counters.h"
#include "db/settings.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace lirma::db;

namespace {

class SettingsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString dataFile() const { return dir.filePath("server/Lirma.set"); }
    QString localFile() const { return dir.filePath("Lirma.set"); }
    void SetUp() override { ASSERT_TRUE(QDir(dir.path()).mkpath("server")); }
    Settings settings{dir.filePath("server/Lirma.set"), dir.filePath("Lirma.set")};
};

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST_F(SettingsTest, AbsentFileReadsEmptyOffDefaultsAndOne)
{
    EXPECT_EQ(settings.ReadSetting("SERVER", "LASTPACK"), "");
    EXPECT_FALSE(settings.isOn(keys::PREVIEWL));
    EXPECT_FALSE(settings.isOn(keys::ADMINBLOCAT, "2024"));
    EXPECT_EQ(settings.number(keys::COTACNPF), "0.4");
    EXPECT_EQ(settings.number(keys::EvalPJAni), "5");
    EXPECT_EQ(Counters(dataFile()).PeekId(keys::IDPOP), "1");
    EXPECT_FALSE(QFile::exists(dataFile()));
    ASSERT_TRUE(settings.WriteSetting("SERVER", "LASTPACK", "45292"));
    EXPECT_EQ(settings.ReadSetting("server", "lastpack"), "45292");
}

TEST_F(SettingsTest, SectionWrittenOneWayIsReadAnother)
{
    ASSERT_TRUE(settings.WriteSetting("Server", "BONIF50", "DA"));
    ASSERT_TRUE(settings.WriteSetting("SERVER", "bonif50", "NU"));
    EXPECT_EQ(readBytes(dataFile()), QByteArray("[Server]\r\nBONIF50=NU\r\n"));
    EXPECT_EQ(settings.read(keys::BONIF50), "NU");
    // The empty text keeps the key.
    ASSERT_TRUE(settings.WriteSetting("SERVER", "BONIF50", ""));
    EXPECT_EQ(readBytes(dataFile()), QByteArray("[Server]\r\nBONIF50=\r\n"));
}

TEST_F(SettingsTest, YesNoRules)
{
    struct Case {
        const SettingKey* key;
        QString qualifier;
        QString stored;
        bool on;
    };
    const std::vector<Case> cases = {
        {&keys::PREVIEWL, "", "DA", true},
        {&keys::PREVIEWL, "", "da", false}, // only "DA" counts
        {&keys::PREVIEWL, "", " DA", false},
        {&keys::PREVIEWL, "", "NU", false},
        {&keys::ADMINBLOCAT, "2024", "da", true}, // compared after upper-casing
        {&keys::ADMINBLOCAT, "2024", " da", false},
        {&keys::FARAMAJORARI, "", " da ", true}, // trimmed and upper-cased
        {&keys::FORMATPDF, "CASIER1", "DA", true},
        {&keys::INEXCEL, "CASIER1", "Da", false},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(settings.write(*c.key, c.stored, c.qualifier));
        EXPECT_EQ(settings.isOn(*c.key, c.qualifier), c.on) << QString(c.key->key).toStdString() << "=" << c.stored.toStdString();
    }
    // Where the qualified keys went.
    EXPECT_EQ(settings.ReadSetting("SERVER", "ADMINBLOCAT2024"), " da");
    EXPECT_EQ(settings.ReadSetting("casier1", "FORMATPDF"), "DA");
    EXPECT_FALSE(settings.isOn(keys::ADMINBLOCAT, "2023"));
}

TEST_F(SettingsTest, NumbersFallBackToTheirDefault)
{
    struct Case {
        const SettingKey* key;
        QString stored;
        QString read;
    };
    const std::vector<Case> cases = {
        {&keys::COTACNPF, "abc", "0.4"},  {&keys::COTACNPF, "0.35", "0.35"}, {&keys::COTACNPF, " 1.5 ", "1.5"},
        {&keys::COTACNPF, "1,5", "0.4"},  {&keys::COTACNPF, "", "0.4"},      {&keys::REDC, "-5", "-5"},
        {&keys::REDC, "1e3", "10"},       {&keys::EvalPJAni, "7", "7"},      {&keys::EvalPJAni, "5.5", "5"},
        {&keys::RATAINF, ".", "0"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(settings.write(*c.key, c.stored));
        EXPECT_EQ(settings.number(*c.key), c.read) << QString(c.key->key).toStdString() << "=" << c.stored.toStdString();
    }
}

TEST_F(SettingsTest, LocalSettingGoesToTheLocalFileOnly)
{
    ASSERT_TRUE(settings.WriteLocalSetting("CONST", "MEMOPASS", "x,y"));
    EXPECT_EQ(readBytes(localFile()), QByteArray("[CONST]\r\nMEMOPASS=x,y\r\n"));
    EXPECT_FALSE(QFile::exists(dataFile()));
    EXPECT_EQ(settings.ReadSetting("CONST", "MEMOPASS"), "");
}

TEST_F(SettingsTest, InitWhenEmpty)
{
    ASSERT_TRUE(settings.initWhenEmpty(keys::FARAMAJORARI));
    EXPECT_EQ(settings.read(keys::FARAMAJORARI), "NU");
    ASSERT_TRUE(settings.write(keys::ADMINBLOCAT, "DA", "2023"));
    ASSERT_TRUE(settings.initWhenEmpty(keys::ADMINBLOCAT, "2023"));
    ASSERT_TRUE(settings.initWhenEmpty(keys::ADMINBLOCAT, "2024"));
    EXPECT_EQ(settings.read(keys::ADMINBLOCAT, "2023"), "DA");
    EXPECT_EQ(settings.read(keys::ADMINBLOCAT, "2024"), "NU");
    ASSERT_TRUE(settings.initWhenEmpty(keys::SalubTermen));
    EXPECT_EQ(settings.read(keys::SalubTermen), "1");
}

TEST_F(SettingsTest, FailedWriteIsReported)
{
    ASSERT_TRUE(settings.WriteSetting("SERVER", "PREVIEWL", "NU"));
    QFile::setPermissions(dataFile(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    EXPECT_FALSE(settings.WriteSetting("SERVER", "PREVIEWL", "DA"));
    EXPECT_FALSE(settings.errorString().isEmpty());
    EXPECT_EQ(settings.ReadSetting("SERVER", "PREVIEWL"), "NU");
    EXPECT_FALSE(settings.StampVersion(10029));
}

TEST_F(SettingsTest, VersionStampOnlyGrows)
{
    struct Case {
        std::optional<QString> stored;
        QString after;
    };
    const std::vector<Case> cases = {
        {std::nullopt, "1.0029"}, // absent means 1
        {"1.0028", "1.0029"},
        {"1.0029", "1.0029"},
        {"1.003", "1.003"},   // 1.0030: a newer edition opened it
        {"1.0030", "1.0030"},
        {"2", "2"},
        {"abc", "1.0029"},
        {"0.9", "1.0029"},
    };
    for (const Case& c : cases) {
        QFile::remove(dataFile());
        if (c.stored) {
            ASSERT_TRUE(settings.write(keys::VER23, *c.stored));
        }
        ASSERT_TRUE(settings.StampVersion(10029));
        EXPECT_EQ(settings.read(keys::VER23), c.after) << c.stored.value_or("(absent)").toStdString();
    }
}

TEST(SettingsText, WholeNumbers)
{
    EXPECT_EQ(parseWhole(" 42 "), 42);
    EXPECT_EQ(parseWhole("-1"), -1);
    EXPECT_EQ(parseWhole("007"), 7);
    EXPECT_EQ(parseWhole("4.0"), std::nullopt);
    EXPECT_EQ(parseWhole(""), std::nullopt);
    EXPECT_EQ(parseWhole("1 2"), std::nullopt);
    EXPECT_EQ(parseWhole(QStringLiteral("٤")), std::nullopt); // a digit, but not a decimal one
    EXPECT_EQ(parseWhole("9223372036854775808"), std::nullopt);
}
