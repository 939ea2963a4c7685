// What each catalogue step reads, builds and writes: its recipe. The steps
// run them (catalogue_steps.cpp); the consistency report reads the same
// recipes to tell what the steps would drop or cut.
#pragma once

#include <string>
#include <vector>

#include "tables/table.h"
#include "teba/teba_files.h"

namespace tht {

struct CatalogueRecipe {
  const TebaFile& input;
  const char* missingMessage;  // shown when the input file is not there
  const char* tableName;       // in the work folder, without ".DBF"
  std::vector<tables::FieldDef> fields;
  std::vector<const char*> fieldsSet;  // set in this order from values()
  // Keep only the first record of each code (the first value); see
  // codeListKey().
  bool firstOfEachCode;
  // The values of one data record, one per entry of fieldsSet.
  std::vector<std::string> (*values)(const std::string& line);
};

const CatalogueRecipe& subjectsCatalogue();  // ASIGNOMT from teba_asignat.txt
const CatalogueRecipe& teachersCatalogue();  // PROFT from teba_prof.txt
const CatalogueRecipe& roomsCatalogue();     // AULAT from teba_aulas.txt
const CatalogueRecipe& groupsCatalogue();    // GRUPOST from teba_grupo.txt

// The key under which a step's code list holds a code: two codes are the
// same code when their keys are equal, that is when they differ in letter
// case only (accented letters included).
std::string codeListKey(const std::string& code);

}  // namespace tht
