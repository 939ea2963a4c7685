// tht-bench-gen: a seeded generator of one school's TEBA folder and the
// SOLUC that the timetabling product would leave for it, at a multiple of a
// large school's size (200 subjects, 150 teachers, 80 rooms, 60 groups,
// 2,000 subject-group lines, 800 subject-course lines, 60 slots, 4,000
// lessons).
//
//   tht-bench-gen SCALE SEED FOLDER   ->  FOLDER/teba/*.txt, FOLDER/work/SOLUC.DBF
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tables/table.h"

namespace {

// A small, fixed generator: the same seed gives the same files everywhere.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed * 6364136223846793005ULL + 1442695040888963407ULL) {}
  uint32_t below(uint32_t bound) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<uint32_t>(state_ >> 33) % bound;
  }

 private:
  uint64_t state_;
};

std::string code(uint32_t number, char prefix) {
  static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string text(1, prefix);
  for (int i = 0; i < 3; ++i) {
    text.insert(text.begin() + 1, digits[number % 36]);
    number /= 36;
  }
  return text;
}

std::string pad(const std::string& text, size_t width) { return text + std::string(width - std::min(width, text.size()), ' '); }

void writeTeba(const std::string& path, const std::string& name, const std::vector<std::string>& records) {
  std::ofstream out(path, std::ios::binary);
  out << "0" << pad(name, 50) << "28999999" << "010920260800\r\n";
  for (const std::string& record : records) out << record << "\r\n";
  out << "9" << pad(name, 50) << "28999999" << "010920260800" << records.size() << "\r\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: tht-bench-gen SCALE SEED FOLDER\n");
    return 64;
  }
  const uint32_t scale = static_cast<uint32_t>(std::atoi(argv[1]));
  Random random(std::strtoull(argv[2], nullptr, 10));
  const std::string folder = argv[3];
  const std::string teba = folder + "/teba", work = folder + "/work";
  std::filesystem::create_directories(teba);
  std::filesystem::create_directories(work);

  const uint32_t subjects = 200 * scale, teachers = 150 * scale, rooms = 80 * scale, groups = 60 * scale;
  const uint32_t assignments = 2000 * scale, courseLines = 800 * scale, slots = 60 * scale, lessons = 4000 * scale;
  const uint32_t levels = 8, courses = 6;
  const char* levelNames[levels] = {"ESO", "BAC", "FPB", "FPM", "FPS", "EPA", "ADU", "PRE"};

  std::vector<std::string> records;
  for (uint32_t i = 0; i < subjects; ++i)
    records.push_back("1" + code(i, 'S') + pad("ESO" + code(i, 'L'), 20) + pad("Asignatura n\xFAmero " + std::to_string(i), 150));
  writeTeba(teba + "/teba_asignat.txt", "TEBA_ASIGNAT.TXT", records);

  records.clear();
  for (uint32_t i = 0; i < teachers; ++i)
    records.push_back("1" + code(i, 'P') + pad("Profesor " + std::to_string(i) + ", Mar\xED" "a", 90) + pad("Departamento " + std::to_string(i % 17), 50));
  writeTeba(teba + "/teba_prof.txt", "TEBA_PROF.TXT", records);

  records.clear();
  for (uint32_t i = 0; i < rooms; ++i)
    records.push_back("1" + std::string(10, ' ') + code(i, 'A') + std::string(70, ' ') + pad("Aula " + std::to_string(i), 100));
  writeTeba(teba + "/teba_aulas.txt", "TEBA_AULAS.TXT", records);

  records.clear();
  std::vector<std::pair<std::string, std::string>> groupLevel;
  for (uint32_t i = 0; i < groups; ++i) {
    const std::string level = levelNames[i % levels], course = std::to_string(1 + i / levels % courses);
    groupLevel.emplace_back(level, course);
    records.push_back("1" + pad(course + level + " " + static_cast<char>('A' + i % 26), 10) + code(i, 'G') + level + "   " + pad(course, 3) + std::string(10, ' ') + "MA\xD1");
  }
  writeTeba(teba + "/teba_grupo.txt", "TEBA_GRUPO.TXT", records);

  records.clear();
  std::vector<std::pair<uint32_t, uint32_t>> groupSubject;
  for (uint32_t i = 0; i < assignments; ++i) {
    const uint32_t group = random.below(groups), subject = random.below(subjects);
    groupSubject.emplace_back(group, subject);
    records.push_back("1" + pad("UNIDAD", 10) + code(group, 'G') + code(subject, 'S'));
  }
  writeTeba(teba + "/teba_asignatgrupo.txt", "TEBA_ASIGNATGRUPO.TXT", records);

  records.clear();
  const char* hours[] = {"1", "2", "3", "4", "2,5", "3,5", "5", ""};
  for (uint32_t i = 0; i < courseLines; ++i) {
    const auto& [group, subject] = groupSubject[random.below(assignments)];
    records.push_back("1" + groupLevel[group].first + "   " + pad(groupLevel[group].second, 3) + std::string(13, ' ') +
                      code(subject, 'S') + pad(hours[random.below(8)], 6));
  }
  writeTeba(teba + "/teba_asignatcurso.txt", "TEBA_ASIGNATCURSO.TXT", records);

  records.clear();
  const char days[] = "LMXJV";
  const uint32_t perDay = slots / 5;
  for (uint32_t i = 0; i < slots; ++i) {
    char start[8];
    std::snprintf(start, sizeof start, "%04u", 800 + (i % perDay) * 55 % 9000);
    char end[8];
    std::snprintf(end, sizeof end, "%04u", 855 + (i % perDay) * 55 % 9000);
    records.push_back("1   " + code(i, 'T') + days[i / perDay % 5] + start + end);
  }
  writeTeba(teba + "/teba_sesiones.txt", "TEBA_SESIONES.TXT", records);

  using tht::tables::FieldKind;
  tht::tables::createTable(work, "SOLUC", {{"DIA", FieldKind::Integer, 0}, {"HORA", FieldKind::Integer, 0},
                                           {"PROF", FieldKind::String, 5}, {"CODGRUPO", FieldKind::String, 4},
                                           {"ASIG", FieldKind::String, 4}, {"AULA", FieldKind::String, 4}});
  tht::tables::Table soluc;
  soluc.open(work, "SOLUC.DBF", tht::tables::OpenMode::Exclusive);
  for (uint32_t i = 0; i < lessons; ++i) {
    const auto& [group, subject] = groupSubject[random.below(assignments)];
    soluc.append();
    soluc.setInteger(0, static_cast<int32_t>(random.below(20) == 0 ? 0 : 1 + random.below(5)));
    soluc.setInteger(1, static_cast<int32_t>(1 + random.below(perDay)));
    soluc.setString(2, code(random.below(teachers), 'P'));
    soluc.setString(3, code(group, 'G'));
    soluc.setString(4, code(subject, 'S'));
    soluc.setString(5, code(random.below(rooms), 'A'));
    soluc.post();
  }
  soluc.close();
  return 0;
}
