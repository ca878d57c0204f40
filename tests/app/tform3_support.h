// A program folder with a users file for each main-window test, a scripted user, and the
// program's command table with every command bound to a recorder.
#pragma once

#include "app/main_commands.h"
#include "app/tform3.h"
#include "core/current_user.h"
#include "platform/base/files.h"
#include "platform/ui/scripted_interaction.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <set>
#include <string>

namespace lirma::test {

// One 100-byte users-file record.
inline std::string userRecord(const std::string& name, const std::string& password, int rank,
                              const std::string& legit)
{
    std::string r(100, '\0');
    auto put = [&](size_t offset, const std::string& text) {
        r[offset] = static_cast<char>(text.size());
        r.replace(offset + 1, text.size(), text);
    };
    put(0, name);
    put(33, password);
    r[66] = static_cast<char>(rank);
    put(67, legit);
    return r;
}

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        folders = base::Folders::ForProgram(root.filePath("Lirma"));
        ASSERT_TRUE(folders.createMissing());
        writeUsers(userRecord("ADMIN", "123", 0, "") + userRecord("OPER", "OP", 1, "L-OP")
                   + userRecord("CASIER", "CA", 2, "L-CA"));
        core::ClearCurrentUser();
    }
    void TearDown() override
    {
        core::ClearCurrentUser();
        EXPECT_TRUE(said.failures().isEmpty()) << said.failures().join("\n").toStdString();
    }

    std::string usersPath() const { return (folders.data + "/s.mpg").toStdString(); }
    void writeUsers(const std::string& bytes) const
    {
        std::ofstream out(usersPath(), std::ios::binary | std::ios::trunc);
        out << bytes;
    }

    // The program's table with every command that has no window yet bound to a recorder.
    std::vector<app::MainCommand> boundCommands()
    {
        std::vector<app::MainCommand> table = app::MainCommands();
        std::set<QString> menus;
        for (const auto& c : table)
            for (qsizetype cut = c.path.lastIndexOf(app::kPathSeparator); cut > 0;
                 cut = c.path.left(cut).lastIndexOf(app::kPathSeparator))
                menus.insert(c.path.left(cut));
        for (auto& c : table)
            if (!c.action && !menus.count(c.path))
                c.action = [this, path = c.path](app::TForm3&) { ran.push_back(path); };
        return table;
    }

    std::unique_ptr<app::TForm3> make(std::vector<app::MainCommand> table)
    {
        return std::make_unique<app::TForm3>(folders, std::move(table));
    }
    std::unique_ptr<app::TForm3> make() { return make(app::MainCommands()); }

    static void logIn(app::TForm3& form, const QString& name, const QString& password)
    {
        form.UserName()->setText(name);
        form.Parola()->setText(password);
        form.LogBut()->click();
    }

    static void press(QWidget* target, int key, const QString& text = {})
    {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &up);
    }
    static void type(QWidget* target, const QString& text)
    {
        for (QChar c : text)
            press(target, c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A') : c.unicode(),
                  QString(c));
    }

    QTemporaryDir root;
    base::Folders folders;
    ui::ScriptedInteraction said;
    ui::ScopedInteraction installed{said};
    std::vector<QString> ran; // paths of the commands run, in order
};

} // namespace lirma::test
