// init: prepares or repairs a data folder with the start-up sequence's own data steps
// (missing tables, CODCL seeding, upgrade, the maintenance of the day, counters).
#include "commands.h"

#include "app/startup_sequence.h"

#include <QString>

#include <iostream>
#include <stdexcept>

namespace {

int runInit(cli::Context& ctx, const std::vector<std::string>& args) {
    if (!args.empty()) throw std::runtime_error("init: no arguments are expected");
    lirma::app::StartupSequence::Options options;
    const QString folder = QString::fromStdString(ctx.dataFolder.string());
    options.folders.data = options.folders.localData = folder;
    options.workstation = false;
    lirma::app::StartupSequence sequence(options);
    try {
        sequence.run();
    } catch (...) {
        for (const QString& line : sequence.report().actions) std::cout << line.toStdString() << "\n";
        std::cout.flush();
        throw;
    }
    for (const QString& line : sequence.report().actions) std::cout << line.toStdString() << "\n";
    const QStringList problems = sequence.report().problems();
    if (!problems.isEmpty()) {
        std::cout.flush();
        std::cerr << "lirma-cli: init: " << problems.front().toStdString() << "\n";
        return 1;
    }
    return 0;
}

cli::Registrar initCommand({"init", true, runInit});

} // namespace
