#include "teba/teba_files.h"

namespace tht {

const TebaFile kSubjectsFile{"teba_asignat.txt", "TEBA_ASIGNAT.TXT", TebaReading::LineByLine};
const TebaFile kTeachersFile{"teba_prof.txt", "TEBA_PROF.TXT", TebaReading::LineByLine};
const TebaFile kRoomsFile{"teba_aulas.txt", "TEBA_AULAS.TXT", TebaReading::LineByLine};
// The groups file names itself "TEBA_GRUPO.TXT", yet its readers have always
// looked for "TEBA_GRUPOS.TXT"; a line carrying the file's own name with a
// column 1 other than "0" or "9" is therefore a data record.
const TebaFile kGroupsFile{"teba_grupo.txt", "TEBA_GRUPOS.TXT", TebaReading::LineByLine};
const TebaFile kAssignmentsFile{"teba_asignatgrupo.txt", "TEBA_ASIGNATGRUPO.TXT", TebaReading::LineByLine};
const TebaFile kSubjectCourseFile{"teba_asignatcurso.txt", "TEBA_ASIGNATCURSO.TXT", TebaReading::Whole};
const TebaFile kSessionsFile{"teba_sesiones.txt", "TEBA_SESIONES.TXT", TebaReading::Whole};

}  // namespace tht
