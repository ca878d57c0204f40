// The permanent tables of a fiscal year's data folder: file names, column layouts,
// creation at start-up, seeding of CODCL.dbf and the once-only column widenings.
#pragma once

#include "platform/storage/storage.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lirma::db {

// The tax groups seeded into CODCL.dbf; the same texts are stored in every GRUPA column.
inline constexpr std::string_view kGroupBuildings = "Impozit pe cladiri";
inline constexpr std::string_view kGroupLandInside = "Impozit pe teren intravilan";
inline constexpr std::string_view kGroupVehicles = "Impozit pe mijloace de transport";
inline constexpr std::string_view kGroupLandOutside = "Impozit pe teren extravilan";
inline constexpr std::string_view kGroupSanitation = "Salubritate";
inline constexpr std::string_view kGroupConcessions = "Concesionari";
inline constexpr std::string_view kGroupLighting = "Iluminat";
inline constexpr std::string_view kGroupFireService = "PSI";
inline constexpr std::string_view kGroupGuard = "Paza";
inline constexpr std::string_view kGroupPasture = "Taxa pe pasune";
inline constexpr std::string_view kGroupSlowVehicles = "Vehicule lente";
inline constexpr std::string_view kGroupUnregisteredVehicles = "Vehicule neinmatriculate";

struct TableDef {
    std::string fileName;                     // as spelled on disk, e.g. "DefZone.DBF"
    std::vector<storage::FieldDef> fields;    // in creation order

    // The name the table has in SQL: the file name without its extension.
    std::string sqlName() const;
    // Index of a column, compared without regard to case; -1 when absent.
    int fieldIndex(std::string_view name) const;
};

// Every permanent table, the ones created at start-up and Log.dbf (created on first write).
const std::vector<TableDef>& Catalog();

// A table by file name ("Gospodar.dbf") or SQL name ("Gospodar"), without regard to case;
// nullptr when it is not a catalog table.
const TableDef* FindTable(std::string_view name);
// As FindTable, but throws std::out_of_range for an unknown name.
const TableDef& Table(std::string_view name);

// File names of the tables created at start-up when missing, in creation order (27).
const std::vector<std::string>& CreationOrder();

// The rows CODCL.dbf is filled with when it is created, in insertion order.
struct CodclSeedRow {
    std::string_view grupa;
    char tip; // 'I' tax on assets, 'T' fee
};
const std::vector<CodclSeedRow>& CodclSeedRows();

// Draws the next IDCOD; throws when the counter cannot be drawn.
using IdSource = std::function<int64_t()>;

struct CreateResult {
    std::vector<std::string> created; // file names, in the order they were created
    int codclRowsSeeded = 0;
};

// Creates, in creation order, every table of CreationOrder() that has no file in `folder`
// (names compared without regard to case; empty `folder` means the database's data folder).
// A freshly created CODCL.dbf is seeded with CodclSeedRows(); if seeding fails the new
// table is dropped again so the next start retries both. Throws on the first failure.
CreateResult CreateMissingTables(storage::Database& db, const std::filesystem::path& folder,
                                 const IdSource& nextIdCod);

// A column that databases of older editions hold narrower than the catalog.
struct ColumnUpgrade {
    std::string_view table; // SQL name
    std::string_view field;
    int width;
    int decimals;
};
const std::vector<ColumnUpgrade>& ColumnUpgrades();

struct UpgradeResult {
    std::vector<std::string> widened;                          // "RegCasa.PLATIT", ...
    std::vector<std::pair<std::string, std::string>> failed;   // column, error text
};

// Widens each column of ColumnUpgrades() whose width is below the catalog's, keeping its
// values. A column already wide enough is left alone, so this runs once per database.
// A failed widening is reported and skipped; the next start tries again.
UpgradeResult UpgradeSchema(storage::Database& db);

} // namespace lirma::db
