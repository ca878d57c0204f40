#include "db/settings.h"

#include "platform/base/decimal.h"

#include <QDir>

namespace lirma::db {
namespace {

struct Resolved {
    QString section;
    QString key;
};

Resolved resolve(const SettingKey& k, const QString& qualifier)
{
    if (k.perUser())
        return {qualifier, QString(k.key)};
    if (k.yearBound)
        return {QString(k.section), QString(k.key) + qualifier};
    return {QString(k.section), QString(k.key)};
}

} // namespace

QString settingsPathIn(const QString& folder)
{
    return QDir(folder).filePath(QString(kSettingsFileName));
}

std::optional<int64_t> parseWhole(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    for (qsizetype i = 0; i < t.size(); ++i)
        if (!(t[i].isDigit() && t[i].unicode() < 128) && !(i == 0 && (t[i] == u'-' || t[i] == u'+')))
            return std::nullopt;
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return int64_t(v);
}

Settings::Settings(QString dataFile, QString localFile) : data_(std::move(dataFile)), local_(std::move(localFile)) {}

QString Settings::ReadSetting(const QString& section, const QString& key) const
{
    return data_.value(section, key);
}

bool Settings::WriteSetting(const QString& section, const QString& key, const QString& value)
{
    if (data_.setValue(section, key, value))
        return true;
    error_ = data_.errorString();
    return false;
}

bool Settings::WriteLocalSetting(const QString& section, const QString& key, const QString& value)
{
    if (local_.setValue(section, key, value))
        return true;
    error_ = local_.errorString();
    return false;
}

QString Settings::read(const SettingKey& k, const QString& qualifier) const
{
    const Resolved r = resolve(k, qualifier);
    return ReadSetting(r.section, r.key);
}

bool Settings::write(const SettingKey& k, const QString& value, const QString& qualifier)
{
    const Resolved r = resolve(k, qualifier);
    return WriteSetting(r.section, r.key, value);
}

bool Settings::isOn(const SettingKey& k, const QString& qualifier) const
{
    const QString v = read(k, qualifier);
    switch (k.yesRule) {
    case YesRule::Exact: return v == u"DA";
    case YesRule::Upper: return v.toUpper() == u"DA";
    case YesRule::UpperTrimmed: return v.trimmed().toUpper() == u"DA";
    }
    return false;
}

QString Settings::number(const SettingKey& k, const QString& qualifier) const
{
    const QString v = read(k, qualifier).trimmed();
    const bool valid = (k.kind == SettingKind::Whole || k.kind == SettingKind::Counter) ? parseWhole(v).has_value()
                                                                                         : base::Decimal::parse(v).has_value();
    return valid ? v : QString(k.defaultValue);
}

bool Settings::initWhenEmpty(const SettingKey& k, const QString& qualifier)
{
    const Resolved r = resolve(k, qualifier);
    const QString init(k.writtenWhenEmpty);
    const bool ok = data_.update([&](ini::IniDocument& doc) {
        if (doc.value(r.section, r.key).isEmpty() && !init.isEmpty())
            return doc.setValue(r.section, r.key, init);
        return true;
    });
    if (!ok)
        error_ = data_.errorString();
    return ok;
}

bool Settings::StampVersion(int versionNumber)
{
    const Resolved r = resolve(keys::VER23, {});
    // Read as a four-decimal value, so "1.0029" is exactly 10029 units.
    const bool ok = data_.update([&](ini::IniDocument& doc) {
        const auto stored = base::Decimal::parse(doc.value(r.section, r.key));
        if (versionNumber > (stored ? stored->units() : base::Decimal::Scale))
            return doc.setValue(r.section, r.key, base::Decimal::fromUnits(versionNumber).toQString(4));
        return true;
    });
    if (!ok)
        error_ = data_.errorString();
    return ok;
}

} // namespace lirma::db
