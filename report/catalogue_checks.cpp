// What the catalogue steps drop, repeat or cut, by their own recipes.
#include <map>
#include <unordered_map>
#include <utility>

#include "report/checks.h"

namespace tht::report {
namespace {

// A catalogue file and the recipe of the step that reads it.
struct Catalogue {
  const TebaInput& input;
  const CatalogueRecipe& recipe;
  const char* code;  // what its first value is called in a finding
};

struct Seen {
  size_t number;
  std::string code;
};

std::string characters(size_t count) {
  return std::to_string(count) + (count == 1 ? " car\xE1" "cter" : " caracteres");
}

// The same value cut in the same field, found once and counted after: a
// shift written "MA\xD1" in every group is one finding, not one a group.
class Cuts {
 public:
  explicit Cuts(Findings& findings) : findings_(findings) {}
  ~Cuts() {
    for (const auto& [cut, repeated] : seen_)
      if (repeated.second > 0)
        findings_.extend(repeated.first, "; lo mismo en " + std::to_string(repeated.second) +
                                             (repeated.second == 1 ? " l\xEDnea m\xE1s" : " l\xEDneas m\xE1s"));
  }

  // Each value the step sets that its field cannot hold whole.
  void check(const Catalogue& catalogue, const Record& record, const std::vector<std::string>& values) {
    const CatalogueRecipe& recipe = catalogue.recipe;
    for (size_t i = 0; i < recipe.fieldsSet.size(); ++i) {
      const size_t size = fieldSize(recipe, recipe.fieldsSet[i]);
      if (values[i].size() <= size) continue;
      const auto [found, isNew] = seen_.try_emplace({recipe.fieldsSet[i], values[i]}, 0, 0);
      if (!isNew) {
        ++found->second.second;
        continue;
      }
      found->second.first = findings_.problem(
          at(catalogue.input.file(), record.number),
          std::string(recipe.fieldsSet[i]) + " de " + recipe.tableName + " tiene " + characters(size) + ": " +
              quoted(values[i]) + " se guarda como " + quoted(tables::textAsStored(values[i], size)));
    }
  }

 private:
  Findings& findings_;
  // (field, value) -> (the finding's line, how many more records cut it alike)
  std::map<std::pair<std::string, std::string>, std::pair<size_t, size_t>> seen_;
};

// Walks the records as the step does: a record whose code is in the code
// list is dropped (naming the record that stays); without a code list a
// repeated code gives one more row. Every record kept is checked for cuts.
void checkCatalogue(const Catalogue& catalogue, Findings& findings) {
  const CatalogueRecipe& recipe = catalogue.recipe;
  std::unordered_map<std::string, Seen> first;  // by codeListKey(), or by the code itself
  Cuts cuts(findings);
  for (const Record& record : catalogue.input.records()) {
    const std::vector<std::string> values = recipe.values(record.line);
    const std::string& code = values.front();
    const auto [seen, isNew] =
        first.emplace(recipe.firstOfEachCode ? codeListKey(code) : code, Seen{record.number, code});
    const std::string where = at(catalogue.input.file(), record.number);
    const std::string repeated = std::string(catalogue.code) + " " + quoted(code) + " repetido: ";
    if (!isNew && recipe.firstOfEachCode) {
      findings.problem(where, repeated + "no se exporta, queda el de la l\xEDnea " +
                                  std::to_string(seen->second.number) + " (" + quoted(seen->second.code) + ")");
      continue;
    }
    if (!isNew)
      findings.problem(where, repeated + "da otra fila en " + recipe.tableName + ", adem\xE1s de la de la l\xEDnea " +
                                  std::to_string(seen->second.number));
    cuts.check(catalogue, record, values);
  }
}

std::unordered_set<std::string> codesOf(const TebaInput& input, const CatalogueRecipe& recipe) {
  std::unordered_set<std::string> codes;
  for (const Record& record : input.records()) codes.insert(recipe.values(record.line).front());
  return codes;
}

}  // namespace

size_t fieldSize(const CatalogueRecipe& recipe, const std::string& name) {
  for (const tables::FieldDef& field : recipe.fields)
    if (field.name == name) return static_cast<size_t>(field.size);
  return 0;
}

std::string storedValue(const CatalogueRecipe& recipe, const std::vector<std::string>& values, const char* name) {
  for (size_t i = 0; i < recipe.fieldsSet.size(); ++i)
    if (std::string(recipe.fieldsSet[i]) == name)
      return std::string(tables::textAsStored(values[i], fieldSize(recipe, name)));
  return {};
}

void checkCatalogues(const TebaInputs& inputs, Findings& findings) {
  const Catalogue catalogues[] = {
      {inputs.subjects, subjectsCatalogue(), "c\xF3" "digo de asignatura"},
      {inputs.teachers, teachersCatalogue(), "c\xF3" "digo de profesor"},
      {inputs.rooms, roomsCatalogue(), "c\xF3" "digo de aula"},
      {inputs.groups, groupsCatalogue(), "c\xF3" "digo de grupo"},
  };
  for (const Catalogue& catalogue : catalogues) checkCatalogue(catalogue, findings);
}

Catalogues cataloguesOf(const TebaInputs& inputs) {
  return {codesOf(inputs.teachers, teachersCatalogue()), codesOf(inputs.groups, groupsCatalogue()),
          codesOf(inputs.subjects, subjectsCatalogue()), codesOf(inputs.rooms, roomsCatalogue())};
}

}  // namespace tht::report
