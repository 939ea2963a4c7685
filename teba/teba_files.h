// The TEBA files of a school's folder: the name each is opened under and the
// name its own header and trailer carry for the skip test. The export and the
// import read them by these entries, so a name is written down once.
#pragma once

namespace tht {

struct TebaFile {
  const char* name;          // in the TEBA folder, matched ignoring case
  const char* expectedName;  // a line carrying this name is skipped
};

extern const TebaFile kSubjectsFile;       // teba_asignat.txt
extern const TebaFile kTeachersFile;       // teba_prof.txt
extern const TebaFile kRoomsFile;          // teba_aulas.txt
extern const TebaFile kGroupsFile;         // teba_grupo.txt (expects "TEBA_GRUPOS.TXT")
extern const TebaFile kAssignmentsFile;    // teba_asignatgrupo.txt
extern const TebaFile kSubjectCourseFile;  // teba_asignatcurso.txt
extern const TebaFile kSessionsFile;       // teba_sesiones.txt

}  // namespace tht
