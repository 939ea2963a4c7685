// What the catalogue steps drop, by their own recipes.
#include <unordered_map>

#include "export/catalogues.h"
#include "report/checks.h"

namespace tht::report {
namespace {

// A catalogue file and the recipe of the step that reads it.
struct Catalogue {
  const TebaInput& input;
  const CatalogueRecipe& recipe;
  const char* code;  // what its first value is called in a finding
};

// Records the step drops because an earlier one has the same code in its
// code list, naming the record that stays.
void checkRepeatedCodes(const Catalogue& catalogue, Findings& findings) {
  if (!catalogue.recipe.firstOfEachCode) return;
  struct Kept {
    size_t number;
    std::string code;
  };
  std::unordered_map<std::string, Kept> first;
  for (const Record& record : catalogue.input.records()) {
    const std::string code = catalogue.recipe.values(record.line).front();
    const auto [kept, inserted] = first.emplace(codeListKey(code), Kept{record.number, code});
    if (!inserted)
      findings.problem(at(catalogue.input.file(), record.number),
                       std::string(catalogue.code) + " " + quoted(code) +
                           " repetido: no se exporta, queda el de la l\xEDnea " + std::to_string(kept->second.number) +
                           " (" + quoted(kept->second.code) + ")");
  }
}

std::unordered_set<std::string> codesOf(const TebaInput& input, const CatalogueRecipe& recipe) {
  std::unordered_set<std::string> codes;
  for (const Record& record : input.records()) codes.insert(recipe.values(record.line).front());
  return codes;
}

}  // namespace

void checkCatalogues(const TebaInputs& inputs, Findings& findings) {
  const Catalogue catalogues[] = {
      {inputs.subjects, subjectsCatalogue(), "c\xF3" "digo de asignatura"},
      {inputs.teachers, teachersCatalogue(), "c\xF3" "digo de profesor"},
  };
  for (const Catalogue& catalogue : catalogues) checkRepeatedCodes(catalogue, findings);
}

Catalogues cataloguesOf(const TebaInputs& inputs) {
  return {codesOf(inputs.teachers, teachersCatalogue()), codesOf(inputs.groups, groupsCatalogue()),
          codesOf(inputs.subjects, subjectsCatalogue()), codesOf(inputs.rooms, roomsCatalogue())};
}

}  // namespace tht::report
