// lirma-cli: the system's own logic on a data folder, without a display.
// Prints plain text (rows tab-separated), exits 0 on success, 1 with a one-line error.
#include "commands.h"

#include <cstring>
#include <iostream>

namespace {

void usage() {
    std::cerr << "usage: lirma-cli --data DIR COMMAND [ARGS]\n"
                 "commands:\n"
                 "  sql [--header] STATEMENT...   run statements in one transaction, print rows\n"
                 "  create TABLE \"COL TYPE, ...\"  create a table (CHAR(n), DECIMAL(w,d), DATE)\n"
                 "  init                          create missing tables, upgrade, daily maintenance, counters\n"
                 "  balance --idgos N [--date dd.MM.yyyy]\n"
                 "                                a taxpayer's taxes, levies and debits due at the date\n"
                 "  assess [--idgos N]            yearly debts of one taxpayer or of the whole register\n"
                 "                                (refused ones on stderr, exit 2 when there are any)\n";
}

} // namespace

int main(int argc, char** argv) {
    cli::Context ctx;
    std::vector<std::string> rest;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--data" && i + 1 < argc) ctx.dataFolder = argv[++i];
        else if (a == "--user" && i + 1 < argc) ctx.user = argv[++i];
        else if (a == "--help" || a == "-h") {
            usage();
            return 0;
        } else rest.push_back(a);
    }
    if (rest.empty()) {
        usage();
        return 1;
    }
    std::string command = rest.front();
    rest.erase(rest.begin());
    const cli::Command* cmd = cli::findCommand(command);
    if (!cmd) {
        std::cerr << "lirma-cli: unknown command '" << command << "'\n";
        return 1;
    }
    if (cmd->needsData && ctx.dataFolder.empty()) {
        std::cerr << "lirma-cli: --data DIR is required\n";
        return 1;
    }
    try {
        return cmd->run(ctx, rest);
    } catch (const std::exception& e) {
        std::string msg = e.what();
        for (auto& c : msg)
            if (c == '\n' || c == '\r') c = ' ';
        std::cerr << "lirma-cli: " << msg << "\n";
        return 1;
    }
}
