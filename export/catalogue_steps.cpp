// The four catalogue steps: subjects, teachers, rooms and groups. Each turns
// one TEBA file into one table of the work folder, row by row, through the
// one routine below; the steps differ only in their recipe.
#include <string>
#include <unordered_set>
#include <vector>

#include "export/steps.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "tables/table.h"
#include "teba/line_reader.h"
#include "teba/records.h"

namespace tht {
namespace {

using tables::FieldDef;
using tables::FieldKind;

// What one catalogue step reads, builds and writes.
struct CatalogueRecipe {
  const char* inputFile;       // in the TEBA folder, matched ignoring case
  const char* missingMessage;  // shown when the input file is not there
  const char* tableName;       // in the work folder, without ".DBF"
  const char* expectedName;    // a line carrying this name is skipped
  std::vector<FieldDef> fields;
  std::vector<const char*> fieldsSet;  // set in this order from values()
  // Keep only the first record of each code (the first value), codes being
  // the same when they differ in letter case only.
  bool firstOfEachCode;
  // The values of one data record, one per entry of fieldsSet.
  std::vector<std::string> (*values)(const std::string& line);
};

void runCatalogueStep(StepContext& context, const CatalogueRecipe& recipe) {
  const std::string inputPath = resolveInFolder(context.session.CarpetaTxt, recipe.inputFile);
  if (!fileExists(inputPath)) {
    // Nothing in the work folder is touched: an earlier table stays.
    context.env.notifier.message(recipe.missingMessage);
    context.session.ResultadoTraspaso = -1;
    return;
  }

  // Opened before the old table goes, so an input that cannot be read
  // leaves that table in place.
  LineReader input(inputPath);
  const std::string& workFolder = context.env.workFolder;
  tables::createTable(workFolder, recipe.tableName, recipe.fields);

  std::unordered_set<std::string> codesWritten;  // folded
  tables::Table table;
  table.open(workFolder, std::string(recipe.tableName) + ".DBF", tables::OpenMode::Shared);
  std::vector<size_t> columns;
  for (const char* name : recipe.fieldsSet) columns.push_back(table.fieldIndex(name));

  while (!input.eof()) {
    const std::string line = input.readLine();
    if (isSkipped(line, recipe.expectedName)) continue;
    const std::vector<std::string> values = recipe.values(line);
    if (recipe.firstOfEachCode && !codesWritten.insert(foldCase(values.front())).second) continue;
    table.append();
    for (size_t i = 0; i < columns.size(); ++i) table.setString(columns[i], values[i]);
    table.post();
  }
  table.close();  // stores the last rows; a failure to do so ends the run
}

FieldDef text(const char* name, int size) { return {name, FieldKind::String, size}; }
FieldDef integer(const char* name) { return {name, FieldKind::Integer, 0}; }

std::vector<std::string> subjectValues(const std::string& line) {
  return {trimmedField(line, 2, 4), trimmedField(line, 6, 20), trimmedField(line, 26, 150)};
}

std::vector<std::string> teacherValues(const std::string& line) {
  return {trimmedField(line, 2, 4), trimmedField(line, 6, 90), trimmedField(line, 96, 50)};
}

std::vector<std::string> roomValues(const std::string& line) {
  return {trimmedField(line, 12, 4), trimmedField(line, 86, 100)};
}

std::vector<std::string> groupValues(const std::string& line) {
  const std::string unit = trimmedField(line, 2, 10);
  std::string level = trimmedField(line, 16, 3);
  if (level.empty()) level = "NIV";
  // The shift goes whole into a one-character field, which keeps its first
  // letter; the group is the unit's last character (empty for no unit).
  return {trimmedField(line, 12, 4),
          trimmedField(line, 35, 3),
          level,
          trimmedField(line, 22, 3),
          field(unit, static_cast<long>(unit.size()), 1),
          unit};
}

}  // namespace

void TraspasarAsignaturas(StepContext& context) {
  static const CatalogueRecipe recipe{
      "teba_asignat.txt",
      "No existe archivo de asignaturas (TEBA_ASIGNAT.TXT)",
      "ASIGNOMT",
      "TEBA_ASIGNAT.TXT",
      {text("COD", 4), text("CODLARGO", 8), text("NOMBRE", 40), text("MATERIA", 8)},
      {"COD", "CODLARGO", "NOMBRE"},
      true,
      subjectValues};
  runCatalogueStep(context, recipe);
}

void TraspasarProfesores(StepContext& context) {
  static const CatalogueRecipe recipe{
      "teba_prof.txt",
      "No existe archivo de profesores (TEBA_PROF.TXT)",
      "PROFT",
      "TEBA_PROF.TXT",
      {text("ABREV", 4), text("NOMBRE", 40), text("DEPART", 40), integer("DNI"),
       text("X_EMPLEADO", 10), text("F_TOMAPOS", 10)},
      {"ABREV", "NOMBRE", "DEPART"},
      true,
      teacherValues};
  runCatalogueStep(context, recipe);
}

void TraspasarAulas(StepContext& context) {
  static const CatalogueRecipe recipe{
      "teba_aulas.txt",
      "No existe archivo de aulas (TEBA_AULAS.TXT)",
      "AULAT",
      "TEBA_AULAS.TXT",
      {text("ABREV", 4), text("NOMBRE", 40), text("EDIFICIO", 1), integer("MAXALUM"),
       text("DEPCENTRO", 10)},
      {"ABREV", "NOMBRE"},
      false,
      roomValues};
  runCatalogueStep(context, recipe);
}

void TraspasarGrupos(StepContext& context) {
  // The groups file names itself "TEBA_GRUPO.TXT", yet its readers have
  // always looked for "TEBA_GRUPOS.TXT"; a line carrying the file's own name
  // with a column 1 other than "0" or "9" is therefore a data record.
  static const CatalogueRecipe recipe{
      "teba_grupo.txt",
      "No existe archivo de grupos (TEBA_GRUPO.TXT)",
      "GRUPOST",
      "TEBA_GRUPOS.TXT",
      {text("ABREV", 4), text("TURNO", 1), text("NIVEL", 5), text("CURSO", 3), text("GRUPO", 2),
       text("UNIDAD", 10)},
      {"ABREV", "TURNO", "NIVEL", "CURSO", "GRUPO", "UNIDAD"},
      false,
      groupValues};
  runCatalogueStep(context, recipe);
}

}  // namespace tht
