#pragma once

// The data module: the one connection to kestrova.db and the eight cursors every window reads
// and writes through, with their labels, formats, lookups, calculated columns and filter.

#include "cursor.h"
#include "selection_criteria.h"
#include "sqlite_connection.h"

#include "messages.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <map>

namespace kestrova {

struct DataModuleOptions
{
    bool readOnly = false;          // open the file without writing (a write-protected file)
    bool createIfMissing = true;    // a missing file is created with the schema and standard protocols
    // Hold the file lock for the whole session (the program is the database's only user): commits
    // then cost no lock calls. Off only where another connection must read the file meanwhile.
    bool exclusiveLock = true;
};

class TfrmDM
{
public:
    // Opens the database at databasePath (Folders().DatabasePath when empty); DatabaseOpen tells
    // whether it worked, the reason was shown through messages.
    explicit TfrmDM(Messages &messages, const QString &databasePath = QString(),
                    const DataModuleOptions &options = DataModuleOptions());
    ~TfrmDM();
    TfrmDM(const TfrmDM &) = delete;
    TfrmDM &operator=(const TfrmDM &) = delete;

    bool OpenDatabase();
    bool CloseDatabase();
    // Brings a database restored from an older backup up to DatabaseVersion; the database must be
    // closed. Leaves the connection connected with the cursors closed.
    void UpgradeDatabase(uint16_t storedVersion, const ProgressFn &progress = ProgressFn());
    // Removes what was stored of evaluation n after a failed save and reopens the database.
    void RecoverEvaluation(int evaluation, const ProgressFn &progress = ProgressFn());

    // Copies every committed change into the database file itself, so a copy of "*.db" alone is
    // complete (the backup calls this before copying).
    bool CheckpointDatabase();
    // Sample rows whose evaluation row does not exist (a save that died half-way); returns how
    // many were removed.
    int DeleteOrphanSamples();
    // The general-purpose statement: runs sql with named parameters and commits.
    int ExecSQL(const QString &sql, const std::map<QString, QVariant> &params = {});

    bool Connect();
    void Disconnect();
    bool Connected() const { return m_connection.isOpen(); }
    QString databasePath() const { return m_path; }
    Connection &connection() { return m_connection; }
    Messages &messages() { return m_messages; }

    int DatabaseVersion = 7011;
    bool DatabaseOpen = false;
    bool DatabaseRepaired = false;
    CriteriaList SelectionCriteria;

private:
    Connection m_connection;

public:
    Cursor qAvaliados;
    Cursor qGrupos;
    Cursor qProtocolos;
    Cursor qProtocolosEstagios;
    Cursor qAvaliacoes;
    Cursor qAvaliacoesDados;
    Cursor qLaboratorio;
    Cursor qAvaliadores;

private:
    struct LookupTable
    {
        bool loaded = false;
        QString keyColumn;
        QStringList columns;
        QHash<QString, QVector<QVariant>> rows;
    };

    void configureCursors();
    void configureDisplay();
    void configureLookups();
    void linkSamplesToEvaluation();
    QVariant lookup(const QString &table, const QString &keyColumn, const QString &resultColumn,
                    const QVariant &key);
    void invalidateLookups(const QString &table);
    void ensureReservedGroup(Cursor &grupos);
    void computeFirstStage(CursorRow &row);
    void computeLoadPercentage(CursorRow &row);
    void prepareConnection();
    void upgradeStages(const ProgressFn &progress);
    void upgradeThreshold1(const ProgressFn &progress);

    Messages &m_messages;
    QString m_path;
    DataModuleOptions m_options;
    std::map<QString, LookupTable> m_lookups;
    QVariant m_linkedEvaluation;
    double m_linkedVO2Max = 0;
    bool m_ensuringGroup = false;
};

} // namespace kestrova
