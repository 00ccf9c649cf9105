#pragma once

#include "TableSchema.h"

#include <QStringList>

// The schemas of the catalogue tables and of the workbench tables, so that
// every program and tool creates and checks the same files.
class StandardSchemas
{
public:
    static TableSchema tree();         // "T1.CDS"
    static TableSchema attributes();   // "T2.CDS"
    static TableSchema texts();        // "T3.CDS"
    static TableSchema pictures();     // "T4.CDS"
    static TableSchema certificates(); // "cert.cds"
    static TableSchema baseSet();      // "set.cds"
    static TableSchema tNar();         // one item file per project
    static TableSchema tNarUN();       // "narun.cds"

    // By schema name without regard to case: "tree", "attributes", "texts",
    // "pictures", "certificates", "BaseSet", "TNar", "TNarUN". False if none.
    static bool byName(const QString& name, TableSchema* schema);
    static QStringList names();
};
