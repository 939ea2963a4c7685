// The import from the timetabling product's tables to "TEBA_HORARIO.TXT".
#pragma once

#include <string>

#include "core/session.h"
#include "tables/table.h"

namespace tht {

// The six table components the window owns for its whole life; they are
// open only during an import run, opened exclusively in this order.
struct ImportTables {
  tables::Table wwTableSoluc{"wwTableSoluc"};
  tables::Table wwTableGrupos{"wwTableGrupos"};
  tables::Table wwTableProfesor{"wwTableProfesor"};
  tables::Table wwTableAulas{"wwTableAulas"};
  tables::Table wwTableNomAsg{"wwTableNomAsg"};
  tables::Table wwTableTramos{"wwTableTramos"};
};

// The import button's run for the TEBA folder `tebaFolder` (no final "/").
// Returns true when the window must close now (hosted). Errors are thrown
// as tht::Error with the tables closed; the result code keeps its value.
bool BImportarClick(Session& session, const std::string& tebaFolder, ImportTables& tables,
                    const RunEnvironment& env);

}  // namespace tht
