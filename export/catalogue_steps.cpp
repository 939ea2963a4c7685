// The four catalogue steps: subjects, teachers, rooms and groups. Each turns
// one TEBA file into one table of the work folder, row by row, through the
// one routine below; the steps differ only in their recipe.
#include <string>
#include <unordered_set>
#include <vector>

#include "export/catalogues.h"
#include "export/steps.h"
#include "export/teba_records.h"
#include "platform/cp1252.h"
#include "teba/teba_lines.h"

namespace tht {
namespace {

using tables::FieldDef;
using tables::FieldKind;

void runCatalogueStep(StepContext& context, const CatalogueRecipe& recipe) {
  const std::string inputPath = stepInput(context, recipe.input, recipe.missingMessage);
  if (inputPath.empty()) return;

  // Opened before the old table goes, so an input that cannot be read
  // leaves that table in place.
  TebaLines input(inputPath, recipe.input);
  const std::string& workFolder = context.env.workFolder;
  tables::createTable(workFolder, recipe.tableName, recipe.fields);

  std::unordered_set<std::string> codesWritten;  // by codeListKey()
  tables::Table table;
  table.open(workFolder, std::string(recipe.tableName) + ".DBF", tables::OpenMode::Shared);
  std::vector<size_t> columns;
  for (const char* name : recipe.fieldsSet) columns.push_back(table.fieldIndex(name));

  std::string line;
  while (input.nextRecord(line)) {
    const std::vector<std::string> values = recipe.values(line);
    if (recipe.firstOfEachCode && !codesWritten.insert(codeListKey(values.front())).second) continue;
    table.append();
    for (size_t i = 0; i < columns.size(); ++i) table.setString(columns[i], values[i]);
    table.post();
  }
  table.close();  // stores the last rows; a failure to do so ends the run
}

FieldDef text(const char* name, int size) { return {name, FieldKind::String, size}; }
FieldDef integer(const char* name) { return {name, FieldKind::Integer, 0}; }

}  // namespace

const CatalogueRecipe& subjectsCatalogue() {
  static const CatalogueRecipe recipe{
      kSubjectsFile,
      "No existe archivo de asignaturas (TEBA_ASIGNAT.TXT)",
      "ASIGNOMT",
      {text("COD", 4), text("CODLARGO", 8), text("NOMBRE", 40), text("MATERIA", 8)},
      {"COD", "CODLARGO", "NOMBRE"},
      true,
      subjectValues};
  return recipe;
}

const CatalogueRecipe& teachersCatalogue() {
  static const CatalogueRecipe recipe{
      kTeachersFile,
      "No existe archivo de profesores (TEBA_PROF.TXT)",
      "PROFT",
      {text("ABREV", 4), text("NOMBRE", 40), text("DEPART", 40), integer("DNI"),
       text("X_EMPLEADO", 10), text("F_TOMAPOS", 10)},
      {"ABREV", "NOMBRE", "DEPART"},
      true,
      teacherValues};
  return recipe;
}

const CatalogueRecipe& roomsCatalogue() {
  static const CatalogueRecipe recipe{
      kRoomsFile,
      "No existe archivo de aulas (TEBA_AULAS.TXT)",
      "AULAT",
      {text("ABREV", 4), text("NOMBRE", 40), text("EDIFICIO", 1), integer("MAXALUM"),
       text("DEPCENTRO", 10)},
      {"ABREV", "NOMBRE"},
      false,
      roomValues};
  return recipe;
}

const CatalogueRecipe& groupsCatalogue() {
  static const CatalogueRecipe recipe{
      kGroupsFile,
      "No existe archivo de grupos (TEBA_GRUPO.TXT)",
      "GRUPOST",
      {text("ABREV", 4), text("TURNO", 1), text("NIVEL", 5), text("CURSO", 3), text("GRUPO", 2),
       text("UNIDAD", 10)},
      {"ABREV", "TURNO", "NIVEL", "CURSO", "GRUPO", "UNIDAD"},
      false,
      groupValues};
  return recipe;
}

std::string codeListKey(const std::string& code) { return foldCase(code); }

void TraspasarAsignaturas(StepContext& context) { runCatalogueStep(context, subjectsCatalogue()); }
void TraspasarProfesores(StepContext& context) { runCatalogueStep(context, teachersCatalogue()); }
void TraspasarAulas(StepContext& context) { runCatalogueStep(context, roomsCatalogue()); }
void TraspasarGrupos(StepContext& context) { runCatalogueStep(context, groupsCatalogue()); }

}  // namespace tht
