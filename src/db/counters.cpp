#include "db/counters.h"

#include "db/settings.h"

namespace lirma::db {
namespace {

QString msgNotWhole(const QString& section, const QString& key, const QString& value)
{
    return QStringLiteral("Contorul [%1] %2 nu este un numar intreg: \"%3\"").arg(section, key, value);
}
QString msgNotStored(const QString& section, const QString& key, const QString& why)
{
    return QStringLiteral("Contorul [%1] %2 nu poate fi memorat. %3").arg(section, key, why);
}

QString valueOrOne(const QString& v)
{
    const QString t = v.trimmed();
    return t.isEmpty() ? QStringLiteral("1") : t;
}

} // namespace

Counters::Counters(QString settingsFile) : file_(std::move(settingsFile)) {}

QString Counters::NextId(const QString& section, const QString& key) { return NextIds(section, key, 1); }

QString Counters::NextIds(const QString& section, const QString& key, int64_t count)
{
    if (count < 1)
        throw CounterError("NextIds: count must be at least 1");
    QString stored;
    std::optional<int64_t> drawn;
    const bool ok = file_.update([&](ini::IniDocument& doc) {
        stored = valueOrOne(doc.value(section, key));
        drawn = parseWhole(stored);
        if (!drawn || *drawn > INT64_MAX - count)
            return false;
        return doc.setValue(section, key, QString::number(*drawn + count));
    });
    if (!drawn || *drawn > INT64_MAX - count) {
        error_ = msgNotWhole(section, key, stored);
        throw CounterError(error_.toStdString());
    }
    if (!ok) {
        error_ = msgNotStored(section, key, file_.errorString());
        throw CounterError(error_.toStdString());
    }
    return QString::number(*drawn);
}

QString Counters::PeekId(const QString& section, const QString& key) const
{
    return valueOrOne(file_.value(section, key));
}

bool Counters::SetCounter(const QString& section, const QString& key, const QString& value)
{
    const auto n = parseWhole(value);
    if (!n) {
        error_ = msgNotWhole(section, key, value);
        return false;
    }
    if (!file_.setValue(section, key, QString::number(*n))) {
        error_ = msgNotStored(section, key, file_.errorString());
        return false;
    }
    return true;
}

} // namespace lirma::db
