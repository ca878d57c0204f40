// sql and create: the storage engine for support staff.
#include "commands.h"

#include "platform/storage/storage.h"

#include <iostream>

using lirma::storage::Database;
using lirma::storage::Transaction;

namespace {

void printRows(const lirma::storage::ResultSet& rs, bool header) {
    if (header && !rs.columns.empty()) {
        for (size_t c = 0; c < rs.columns.size(); ++c) std::cout << (c ? "\t" : "") << rs.columns[c];
        std::cout << "\n";
    }
    for (const auto& row : rs.rows) {
        for (size_t c = 0; c < row.size(); ++c) std::cout << (c ? "\t" : "") << row[c].toText();
        std::cout << "\n";
    }
}

int runSql(cli::Context& ctx, const std::vector<std::string>& args) {
    bool header = false;
    std::vector<std::string> statements;
    for (const auto& a : args) {
        if (a == "--header") header = true;
        else statements.push_back(a);
    }
    if (statements.empty()) throw std::runtime_error("sql: no statement given");
    Database db(ctx.dataFolder);
    std::vector<lirma::storage::ResultSet> results;
    {
        Transaction tx(db);
        for (const auto& s : statements) results.push_back(db.query(s));
        tx.commit();
    }
    // Printed only once everything is committed: a failure prints no rows.
    for (const auto& rs : results) printRows(rs, header);
    return 0;
}

int runCreate(cli::Context& ctx, const std::vector<std::string>& args) {
    if (args.size() != 2) throw std::runtime_error("create: TABLE and a column list are expected");
    Database db(ctx.dataFolder);
    db.createTable(args[0], lirma::storage::parseColumnList(args[1]));
    return 0;
}

cli::Registrar sqlCommand({"sql", true, runSql});
cli::Registrar createCommand({"create", true, runCreate});

} // namespace
