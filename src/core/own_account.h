// "Contul meu": the logged-in user changes his own password and identification text.
#pragma once

#include <QString>

#include <filesystem>

namespace lirma::core {

// The balloon text when the two passwords are empty or differ; "" when they may be stored.
QString CheckNewPassword(const QString& password, const QString& verify);

// Stores the current user's new password and LEGIT in the users file (its record is the one
// with his name and the password he holds now) and tells him the outcome ("Schimbare
// cont"). On success the current user holds the new password and LEGIT, so a second change
// in the same run finds his record. The LEGIT is stored with its spaces cleaned.
bool SaveOwnAccount(const std::filesystem::path& dataFolder, const QString& newPassword,
                    const QString& legit);

} // namespace lirma::core
