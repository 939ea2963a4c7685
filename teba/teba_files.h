// The TEBA files of a school's folder: the name each is opened under, the
// name its own header and trailer carry for the skip test, and the way the
// export reads it. The export, the import and the consistency report read
// them by these entries, so each is written down once.
#pragma once

namespace tht {

// Line by line (a Ctrl-Z ends the file, a lone CR goes on the line) or
// whole (a NUL ends the content, a lone CR ends a line): see
// teba/line_reader.h and teba/whole_file.h.
enum class TebaReading { LineByLine, Whole };

struct TebaFile {
  const char* name;          // in the TEBA folder, matched ignoring case
  const char* expectedName;  // a line carrying this name is skipped
  TebaReading reading;       // how the export reads it (see teba/teba_lines.h)
};

extern const TebaFile kSubjectsFile;       // teba_asignat.txt
extern const TebaFile kTeachersFile;       // teba_prof.txt
extern const TebaFile kRoomsFile;          // teba_aulas.txt
extern const TebaFile kGroupsFile;         // teba_grupo.txt (expects "TEBA_GRUPOS.TXT")
extern const TebaFile kAssignmentsFile;    // teba_asignatgrupo.txt
extern const TebaFile kSubjectCourseFile;  // teba_asignatcurso.txt
extern const TebaFile kSessionsFile;       // teba_sesiones.txt

}  // namespace tht
