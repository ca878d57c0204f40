// A program folder of its own for each start-up test, with its own per-workstation store
// and a scripted user.
#pragma once

#include "app/startup_sequence.h"
#include "platform/registry/registry.h"
#include "platform/ui/scripted_interaction.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace lirma::test {

class StartupTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        program = root.filePath("Lirma");
        ASSERT_TRUE(QDir().mkpath(program));
        registry::Registry::setStoreFolder(root.filePath("store"));
    }
    void TearDown() override { registry::Registry::setStoreFolder({}); }

    app::StartupSequence::Options options(QDate day = QDate(2024, 3, 1)) const
    {
        app::StartupSequence::Options o;
        o.folders = base::Folders::ForProgram(program);
        o.today = day;
        return o;
    }

    // A whole start (steps 1-14) on the given day.
    std::unique_ptr<app::StartupSequence> start(QDate day = QDate(2024, 3, 1))
    {
        auto sequence = std::make_unique<app::StartupSequence>(options(day));
        sequence->run();
        return sequence;
    }

    QString data(const QString& name = {}) const
    {
        return name.isEmpty() ? program + "/Data" : program + "/Data/" + name;
    }

    // Cuts a table file down to a few bytes: it can no longer be read, packed or indexed.
    static void damage(const QString& path)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.resize(10));
    }

    QTemporaryDir root;
    QString program;
    ui::ScriptedInteraction user;
    ui::ScopedInteraction installed{user};
};

} // namespace lirma::test
