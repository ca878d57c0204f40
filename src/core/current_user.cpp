#include "core/current_user.h"

namespace lirma::core {

namespace {
CurrentUserInfo& storage()
{
    static CurrentUserInfo user;
    return user;
}
} // namespace

const CurrentUserInfo& CurrentUser()
{
    return storage();
}

void SetCurrentUser(const CurrentUserInfo& user)
{
    storage() = user;
}

void ClearCurrentUser()
{
    storage() = CurrentUserInfo{};
}

} // namespace lirma::core
