// The user logged in on this workstation for the rest of the run: read by every window that
// writes the operator's name (OPERAT, INCANUME, UTILIZATOR) or checks his rank.
#pragma once

#include "core/users_file.h"

#include <QString>

namespace lirma::core {

struct CurrentUserInfo {
    QString name;      // as cleaned at login, upper case
    QString password;  // as typed at login (or last stored through "Contul meu")
    Rank rank = Rank::Unknown; // Unknown: nobody logged in
    QString legit;     // identification text LEGIT

    bool loggedIn() const { return rank != Rank::Unknown; }
    bool isAdmin() const { return rank == Rank::Admin; }
    bool isCashier() const { return rank == Rank::Cashier; }
};

// The current user of the run (window thread only). Rank Unknown until a login succeeds.
const CurrentUserInfo& CurrentUser();
void SetCurrentUser(const CurrentUserInfo& user);
// Back to nobody logged in: empty name, password and LEGIT, rank Unknown.
void ClearCurrentUser();

} // namespace lirma::core
