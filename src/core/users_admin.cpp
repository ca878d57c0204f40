#include "core/users_admin.h"

#include "core/admin_texts.h"
#include "platform/base/text.h"
#include "platform/ui/interaction.h"

#include <algorithm>

namespace lirma::core {

namespace {

namespace keys = db::keys;

QString fromStd(std::string_view s)
{
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString rankText(Rank rank)
{
    return fromStd(RankName(rank));
}

// "De la nr.": its whole part, 0 when empty or no number.
QString wholeNumber(const QString& text)
{
    const auto n = db::parseWhole(text);
    return QString::number(n.value_or(0));
}

} // namespace

const QStringList& AssignableRanks()
{
    static const QStringList ranks = {rankText(Rank::Operator), rankText(Rank::Cashier)};
    return ranks;
}

UsersAdmin::UsersAdmin(const std::filesystem::path& dataFolder, db::Settings& settings)
    : file_(dataFolder), settings_(settings)
{
}

QString UsersAdmin::series(const QString& name) const
{
    return settings_.read(keys::SERIA, name);
}

QString UsersAdmin::nextNumber(const QString& name) const
{
    const QString n = settings_.read(keys::CHIT, name);
    return n.isEmpty() ? QStringLiteral("1") : n;
}

void UsersAdmin::Build(const QString& loggedInUser)
{
    loggedIn_ = loggedInUser;
    rows_.clear();
    for (const UserRecord& r : file_.readAll()) {
        const QString name = fromStd(r.name);
        if (name == loggedInUser)
            continue;
        rows_.push_back({name, fromStd(r.password), rankText(r.rank), fromStd(r.legit), series(name), nextNumber(name)});
    }
    sortRows();
}

void UsersAdmin::sortRows()
{
    std::stable_sort(rows_.begin(), rows_.end(), [](const UserRow& a, const UserRow& b) { return a.name < b.name; });
}

int UsersAdmin::indexOf(const QString& name) const
{
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].name == name)
            return int(i);
    return -1;
}

QString UsersAdmin::CheckDialog(UserInput& input, bool adding) const
{
    input.name = base::CleanSpaces(input.name).toUpper().left(kNameMax);
    input.legit = base::CleanSpaces(input.legit).toUpper().left(kNameMax);
    input.series = base::CleanSpaces(input.series).toUpper().left(kSeriesMax);
    if (input.name.isEmpty())
        return admintext::MissingName();
    // The name is the section of his settings: these characters would break it.
    for (const QChar c : admintext::ForbiddenNameCharacters())
        if (input.name.contains(c))
            return admintext::ForbiddenNameText();
    if (adding) {
        // The logged-in user is not in the grid, but his record is in the file.
        if (indexOf(input.name) >= 0 || file_.find(input.name.toStdString()))
            return admintext::NameExists();
    }
    return {};
}

QString UsersAdmin::fail(const QString& title, const QString& text)
{
    ui::ShowMessage(title, text, ui::BtnOk, ui::KindEroare);
    return text;
}

QString UsersAdmin::writeReceiptBook(const UserInput& input)
{
    if (settings_.write(keys::SERIA, input.series, input.name) &&
        settings_.write(keys::CHIT, wholeNumber(input.number), input.name))
        return {};
    return settings_.errorString();
}

QString UsersAdmin::Add(const UserInput& input)
{
    const QString title = admintext::AddUserTitle();
    UsersChange change;
    try {
        change = file_.append({input.name.toStdString(), std::string(), RankFromName(input.rank.toStdString()),
                               input.legit.toStdString()});
    } catch (const std::exception& e) {
        return fail(title, admintext::UsersFileErrorText(QString::fromUtf8(e.what())));
    }
    if (change == UsersChange::NameExists)
        return fail(title, QStringLiteral("\r") + admintext::NameExists());
    if (const QString error = writeReceiptBook(input); !error.isEmpty())
        return fail(title, admintext::UsersFileErrorText(error));
    rows_.push_back({input.name, QString(), input.rank, input.legit, input.series, wholeNumber(input.number)});
    sortRows();
    return {};
}

QString UsersAdmin::CheckModify(int row) const
{
    if (row < 0 || size_t(row) >= rows_.size())
        return admintext::NothingToModify();
    if (rows_[size_t(row)].name == fromStd(kAdminName))
        return admintext::UserCannotBeModified();
    return {};
}

QString UsersAdmin::Modify(const UserInput& input)
{
    const QString title = admintext::ModifyUserTitle();
    UsersChange change;
    try {
        change = file_.modify(input.name.toStdString(), RankFromName(input.rank.toStdString()),
                              input.legit.toStdString(), input.clearPassword);
    } catch (const std::exception& e) {
        return fail(title, admintext::UsersFileErrorText(QString::fromUtf8(e.what())));
    }
    if (change != UsersChange::Done) {
        // Changed by another workstation since the grid was built: show the file as it is.
        const QString text = fail(title, admintext::UserMissingText(input.name));
        Build(loggedIn_);
        return text;
    }
    if (const QString error = writeReceiptBook(input); !error.isEmpty())
        return fail(title, admintext::UsersFileErrorText(error));
    const int i = indexOf(input.name);
    if (i >= 0) {
        UserRow& r = rows_[size_t(i)];
        r.rank = input.rank;
        r.legit = input.legit;
        r.series = input.series;
        r.number = wholeNumber(input.number);
        if (input.clearPassword)
            r.password.clear();
    }
    return {};
}

QString UsersAdmin::CheckDelete(int row) const
{
    if (row < 0 || size_t(row) >= rows_.size())
        return admintext::NothingToDeleteUsers();
    const UserRow& r = rows_[size_t(row)];
    if (r.name == fromStd(kAdminName) || r.rank == rankText(Rank::Admin))
        return admintext::UserCannotBeDeleted();
    return {};
}

QString UsersAdmin::Delete(int row, bool* deleted)
{
    if (deleted)
        *deleted = false;
    const QString name = rows_.at(size_t(row)).name;
    const QString title = admintext::DeleteUserTitle();
    if (!ui::AskYes(title, admintext::DeleteUserQuestion(name), ui::KindAtentie))
        return {};
    UsersChange change;
    try {
        change = file_.remove(name.toStdString());
    } catch (const std::exception& e) {
        return fail(title, admintext::UsersFileErrorText(QString::fromUtf8(e.what())));
    }
    if (change != UsersChange::Done) {
        const QString text = fail(title, admintext::UserMissingText(name));
        Build(loggedIn_);
        return text;
    }
    rows_.erase(rows_.begin() + row);
    if (deleted)
        *deleted = true;
    return {};
}

} // namespace lirma::core
