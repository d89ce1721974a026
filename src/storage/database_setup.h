#pragma once

// How a database first becomes available: a missing file is created with the bundled schema,
// the reserved group and a few standard protocols.

#include <QString>

namespace kestrova {

class Connection;

// The bundled schema (resources/schema.sql).
QString SchemaSql();
// Creates path with the schema, group 0 "INDIVIDUAL" and the standard protocols, all in one
// transaction: either the whole file is made or no file is left. Throws StorageError.
void CreateDatabase(const QString &path);
// The key indexes of the schema, for a database restored from an older copy that lacks them.
// Failures (a missing table, a read-only file) are ignored.
void EnsureIndexes(Connection &connection);

} // namespace kestrova
