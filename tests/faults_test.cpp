// Faults from outside: a process killed in the middle of a run, a table
// held by another program, a work folder that fills up, and inputs far
// larger than any school's, read in bounded memory.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <fcntl.h>
#include <sys/file.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "platform/files.h"
#include "platform/ini_file.h"
#include "tables/table.h"
#include "tests/support/temp_folder.h"

namespace tht::test {
namespace {

namespace fs = std::filesystem;

struct Ended {
  int status = -1;     // exit status, -1 when killed
  long peakKiB = 0;    // largest resident set (runs not killed)
  std::string output;  // standard output and error
};

// Runs the command-line program; kills it after `killAfter` when given.
// Without a kill, the program runs under the peak-memory launcher, so that
// its peak is its own and not this test's.
Ended runCli(const std::vector<std::string>& args, std::chrono::milliseconds killAfter = {}) {
  const std::string log = fs::temp_directory_path() / ("tht-fault-" + std::to_string(getpid()) + ".log");
  const std::string peakFile = log + ".peak";
  const bool measured = killAfter.count() == 0;
  // A sanitized program keeps freed memory in quarantine and records a
  // stack per allocation; both are kept small, so that its peak memory is
  // the program's own and huge inputs take seconds. A plain program ignores
  // the variable.
  const char* given = std::getenv("ASAN_OPTIONS");
  const std::string options = std::string(given ? given : "") +
                              ":quarantine_size_mb=4:thread_local_quarantine_size_kb=64:malloc_context_size=0";
  std::vector<char*> argv;
  if (measured) {
    argv.push_back(const_cast<char*>(THT_PEAK_PATH));
    argv.push_back(const_cast<char*>(peakFile.c_str()));
  }
  argv.push_back(const_cast<char*>(THT_CLI_PATH));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  // Made before the child starts, so that a child killed at once still
  // leaves a log to read.
  const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const pid_t child = fork();
  if (child == 0) {
    setenv("ASAN_OPTIONS", options.c_str(), 1);
    dup2(out, 1);
    dup2(out, 2);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (killAfter.count() > 0) {
    std::this_thread::sleep_for(killAfter);
    kill(child, SIGKILL);
  }
  ::close(out);
  int status = 0;
  waitpid(child, &status, 0);
  Ended ended;
  ended.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  ended.output = readBytes(log);
  if (measured) {
    std::ifstream in(peakFile);
    in >> ended.status >> ended.peakKiB;
    EXPECT_TRUE(in) << "no peak from the launcher";
  }
  fs::remove(log);
  fs::remove(peakFile);
  return ended;
}

void generate(const std::string& folder, int scale) {
  const std::string command = std::string(THT_GEN_PATH) + " " + std::to_string(scale) + " 11 " + folder;
  ASSERT_EQ(std::system(command.c_str()), 0);
}

// Every table of the folder opens and walks in our engine and in GDAL.
void expectEveryTableReadable(const std::string& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".DBF") continue;
    SCOPED_TRACE(entry.path().string());
    tables::Table table;
    ASSERT_NO_THROW(table.open(folder, entry.path().filename().string(), tables::OpenMode::ReadOnlyShared));
    size_t rows = 0;
    for (; !table.eof(); table.next()) {
      for (size_t i = 0; i < table.fieldCount(); ++i) table.asString(i);
      ++rows;
    }
    // GDAL (gdal-bin, which scripts/install-deps installs) must be there.
    const std::string command = "ogrinfo -ro -al -so '" + entry.path().string() + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string text;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
    EXPECT_EQ(pclose(pipe), 0) << text;
    EXPECT_NE(text.find("Feature Count: " + std::to_string(rows)), std::string::npos) << text;
  }
}

// A save killed half-way leaves none of its unfinished files behind.
void expectNoTemporaryFile(const std::string& folder) {
  for (const auto& entry : fs::directory_iterator(folder))
    EXPECT_NE(entry.path().filename().string().rfind(".tht-", 0), 0u) << "left behind: " << entry.path();
}

// A save killed between naming its finished temporary file and renaming it
// leaves that file behind (no system call does both at once); the next save
// in the folder clears it away, so none accumulate.
void expectLeftoversClearedByTheNextSave(const std::string& folder) {
  const std::string probe = folder + "/probe.txt";
  replaceFileAtomically(probe, "probe");
  fs::remove(probe);
  expectNoTemporaryFile(folder);
}

TEST(Faults, ExportKilledAtAnyMomentLeavesReadableTables) {
  TempFolder data;
  generate(data.path(), 10);
  const std::string teba = data.file("teba"), work = data.file("work");
  for (int ms : {5, 20, 40, 70, 110}) {
    SCOPED_TRACE(std::to_string(ms) + " ms");
    runCli({"export", teba, "--work-folder", work}, std::chrono::milliseconds(ms));
    expectEveryTableReadable(work);
    expectLeftoversClearedByTheNextSave(work);
  }
}

TEST(Faults, ImportKilledLeavesTheEarlierTimetableOrAWholeNewOne) {
  TempFolder data;
  generate(data.path(), 10);
  const std::string teba = data.file("teba"), work = data.file("work");
  ASSERT_EQ(runCli({"export", teba, "--work-folder", work}).status, 0);
  const std::string earlier = "0TEBA_HORARIO.TXT earlier\r\n";
  for (int ms : {3, 10, 20, 40}) {
    SCOPED_TRACE(std::to_string(ms) + " ms");
    data.write("teba/TEBA_HORARIO.TXT", earlier);
    runCli({"import", teba, "--work-folder", work}, std::chrono::milliseconds(ms));
    const std::string now = readBytes(data.file("teba/TEBA_HORARIO.TXT"));
    if (now != earlier) {
      const size_t trailer = now.rfind("\r\n9TEBA_HORARIO.TXT");
      ASSERT_NE(trailer, std::string::npos) << "a cut timetable file";
      EXPECT_EQ(now.substr(now.size() - 2), "\r\n");
    }
    expectLeftoversClearedByTheNextSave(teba);
    expectEveryTableReadable(work);
  }
}

TEST(Faults, ResultHandOverKilledMidWriteLeavesTheEarlierIniOrTheNewOne) {
  TempFolder folder;
  const std::string ini = folder.file("Horavent.ini");
  const std::string earlier = "[Otros]\r\nClave=valor\r\n[Transformadores]\r\nTransformado=0\r\n";
  const std::string written = "[Otros]\r\nClave=valor\r\n[Transformadores]\r\nTransformado=1\r\n";
  for (int ms : {0, 1, 2, 5}) {
    SCOPED_TRACE(std::to_string(ms) + " ms");
    folder.write("Horavent.ini", earlier);
    const pid_t child = fork();
    if (child == 0) {
      // Writes the key over and over, each time the other value, until killed.
      for (int i = 0;; ++i) writeProfileString(ini, "Transformadores", "Transformado", i % 2 ? "0" : "1");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const std::string now = readBytes(ini);
    EXPECT_TRUE(now == earlier || now == written) << now;
    // Killed before renaming its temporary file, a save leaves that file
    // behind, holding the bytes written so far; the next save clears it away.
    for (const auto& entry : fs::directory_iterator(folder.path())) {
      if (entry.path().filename().string().rfind(".tht-", 0) != 0) continue;
      const std::string left = readBytes(entry.path().string());
      EXPECT_TRUE(earlier.rfind(left, 0) == 0 || written.rfind(left, 0) == 0) << left;
    }
    writeProfileString(ini, "Transformadores", "Transformado", "1");
    EXPECT_EQ(readBytes(ini), written);
    expectNoTemporaryFile(folder.path());
  }
}

TEST(Faults, TableHeldByAnotherProgramStopsTheRunAndStaysWhole) {
  TempFolder data;
  generate(data.path(), 1);
  const std::string teba = data.file("teba"), work = data.file("work");
  ASSERT_EQ(runCli({"export", teba, "--work-folder", work}).status, 0);
  const std::string before = readBytes(data.file("work/PROFT.DBF"));
  const int held = ::open(data.file("work/PROFT.DBF").c_str(), O_RDWR);
  ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);

  const Ended exported = runCli({"export", teba, "--work-folder", work});
  EXPECT_EQ(exported.status, 3);
  EXPECT_NE(exported.output.find("Table is busy.\nTable: " + data.file("work/PROFT.DBF")), std::string::npos)
      << exported.output;
  EXPECT_NE(exported.output.find("ResultadoTraspaso: -1"), std::string::npos);
  EXPECT_EQ(readBytes(data.file("work/PROFT.DBF")), before);

  const Ended imported = runCli({"import", teba, "--work-folder", work});
  EXPECT_EQ(imported.status, 3);
  EXPECT_NE(imported.output.find("Table is busy.\nTable: " + data.file("work/PROFT.DBF")), std::string::npos);
  EXPECT_FALSE(fs::exists(data.file("teba/TEBA_HORARIO.TXT")));
  ::close(held);
}

// A small file system of its own, when the test may mount one.
class SmallFileSystem {
 public:
  explicit SmallFileSystem(const std::string& folder, const char* size) : folder_(folder) {
    mounted_ = geteuid() == 0 && mount("tmpfs", folder.c_str(), "tmpfs", 0, (std::string("size=") + size).c_str()) == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }

 private:
  std::string folder_;
  bool mounted_ = false;
};

TEST(Faults, WorkFolderThatFillsUpEndsTheExportAsAFailure) {
  TempFolder data;
  generate(data.path(), 10);
  fs::create_directory(data.file("full"));
  SmallFileSystem small(data.file("full"), "300k");
  if (!small.mounted()) GTEST_SKIP() << "needs root and permission to mount a tmpfs";
  const Ended ended = runCli({"export", data.file("teba"), "--work-folder", data.file("full")});
  EXPECT_EQ(ended.status, 3) << ended.output;
  EXPECT_NE(ended.output.find("ResultadoTraspaso: -1"), std::string::npos) << ended.output;
  EXPECT_TRUE(ended.output.find("Cannot write to table.") != std::string::npos ||
              ended.output.find("Cannot create table.") != std::string::npos)
      << ended.output;
  expectEveryTableReadable(data.file("full"));
  expectNoTemporaryFile(data.file("full"));
}

TEST(Faults, ReadOnlyWorkFolderEndsTheExportAsAFailure) {
  TempFolder data;
  generate(data.path(), 1);
  fs::create_directory(data.file("readonly"));
  // Root ignores permission bits: a file system mounted read-only binds it.
  if (geteuid() != 0 || mount("tmpfs", data.file("readonly").c_str(), "tmpfs", MS_RDONLY, "size=64k") != 0)
    GTEST_SKIP() << "needs root and permission to mount a read-only tmpfs";
  const Ended ended = runCli({"export", data.file("teba"), "--work-folder", data.file("readonly")});
  umount2(data.file("readonly").c_str(), MNT_DETACH);
  EXPECT_EQ(ended.status, 3) << ended.output;
  EXPECT_NE(ended.output.find("Cannot create table.\nCannot create file \"" + data.file("readonly") + "/ASIGNOMT.DBF\""),
            std::string::npos)
      << ended.output;
  EXPECT_NE(ended.output.find("ResultadoTraspaso: -1"), std::string::npos);
}

TEST(Faults, TimetableThatDoesNotFitKeepsTheEarlierFile) {
  TempFolder data;
  generate(data.path(), 10);
  ASSERT_EQ(runCli({"export", data.file("teba"), "--work-folder", data.file("work")}).status, 0);
  fs::create_directory(data.file("small"));
  SmallFileSystem small(data.file("small"), "64k");
  if (!small.mounted()) GTEST_SKIP() << "needs root and permission to mount a tmpfs";
  // The import reads only the subjects file's header and the sessions
  // file's second line.
  data.write("small/teba_asignat.txt", "0TEBA_ASIGNAT.TXT                                  28999999010920260800\r\n");
  data.write("small/teba_sesiones.txt", "0TEBA_SESIONES.TXT\r\n1   T000L08000855\r\n");
  data.write("small/TEBA_HORARIO.TXT", "earlier timetable\r\n");
  const Ended ended = runCli({"import", data.file("small"), "--work-folder", data.file("work")});
  EXPECT_EQ(ended.status, 3) << ended.output;
  EXPECT_NE(ended.output.find("Cannot create file"), std::string::npos) << ended.output;
  EXPECT_EQ(readBytes(data.file("small/TEBA_HORARIO.TXT")), "earlier timetable\r\n");
  expectNoTemporaryFile(data.file("small"));
}

// Writes `count` copies of `piece` to `path`, then `tail`, in large blocks.
void writeRepeated(const std::string& path, const std::string& head, const std::string& piece, size_t count,
                   const std::string& tail) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << head;
  std::string block;
  const size_t perBlock = std::max<size_t>(1, (1 << 20) / piece.size());
  for (size_t i = 0; i < perBlock; ++i) block += piece;
  size_t left = count;
  for (; left >= perBlock; left -= perBlock) out << block;
  for (; left > 0; --left) out << piece;
  out << tail;
  ASSERT_TRUE(out.good());
}

constexpr long kMiB = 1024;  // in the KiB of ru_maxrss
constexpr size_t kHugeBytes = size_t{200} << 20;

TEST(Faults, HugeInputsReadWholeStayWithinASmallMultipleOfTheFile) {
  TempFolder data;
  generate(data.path(), 1);
  const std::string teba = data.file("teba"), work = data.file("work");
  ASSERT_EQ(runCli({"export", teba, "--work-folder", work}).status, 0);
  const std::string header = "0" + std::string("TEBA_ASIGNAT.TXT") + std::string(34, ' ') + "CENTRO01";

  // Ten million short lines, the header last: the import walks them all
  // to find the centre code, holding the file once and no line list.
  writeRepeated(data.file("teba/teba_asignat.txt"), "", "1MAT  Matematicas \r\n", kHugeBytes / 20,
                header + "150920250912\r\n");
  Ended ended = runCli({"import", teba, "--work-folder", work});
  ASSERT_EQ(ended.status, 0) << ended.output;
  EXPECT_EQ(readBytes(data.file("teba/TEBA_HORARIO.TXT")).substr(51, 8), "CENTRO01");
  EXPECT_LT(ended.peakKiB, 3 * 200 * kMiB) << "peak " << ended.peakKiB << " KiB";

  // One line of 200 MB without a line end: the header, read whole by the
  // import and line by line by the export (which skips it).
  writeRepeated(data.file("teba/teba_asignat.txt"), header, "x", kHugeBytes, "");
  ended = runCli({"import", teba, "--work-folder", work});
  ASSERT_EQ(ended.status, 0) << ended.output;
  EXPECT_EQ(readBytes(data.file("teba/TEBA_HORARIO.TXT")).substr(51, 8), "CENTRO01");
  EXPECT_LT(ended.peakKiB, 3 * 200 * kMiB) << "peak " << ended.peakKiB << " KiB";

  ended = runCli({"export", teba, "--work-folder", work});
  ASSERT_EQ(ended.status, 0) << ended.output;
  EXPECT_LT(ended.peakKiB, 4 * 200 * kMiB) << "peak " << ended.peakKiB << " KiB";
  tables::Table subjects;
  subjects.open(work, "ASIGNOMT.DBF", tables::OpenMode::ReadOnlyShared);
  EXPECT_TRUE(subjects.eof());
}

TEST(Faults, MillionsOfShortLinesReadLineByLineNeedNoMoreThanALine) {
  TempFolder data;
  generate(data.path(), 1);
  const std::string teba = data.file("teba"), work = data.file("work");
  // 200 MB of teachers, all sharing one code: one row, over three million
  // lines of 64 bytes.
  const std::string teacher = "1PRF  " + std::string("Nombre Apellido Apellido") + std::string(29, ' ') + "MAT\r\n";
  ASSERT_EQ(teacher.size(), 64u);
  writeRepeated(data.file("teba/teba_prof.txt"), "", teacher, kHugeBytes / teacher.size(), "");
  const Ended ended = runCli({"export", teba, "--work-folder", work});
  ASSERT_EQ(ended.status, 0) << ended.output;
  EXPECT_LT(ended.peakKiB, 64 * kMiB) << "peak " << ended.peakKiB << " KiB";
  tables::Table teachers;
  teachers.open(work, "PROFT.DBF", tables::OpenMode::ReadOnlyShared);
  EXPECT_EQ(teachers.asString("ABREV"), "PRF");
  teachers.next();
  EXPECT_TRUE(teachers.eof());
}

TEST(Faults, HugeInputsAreReadInBoundedMemory) {
  TempFolder data;
  generate(data.path(), 1);
  const std::string teba = data.file("teba"), work = data.file("work");
  {
    // One line of 64 MB without a line end, read line by line.
    std::ofstream out(data.file("teba/teba_aulas.txt"), std::ios::binary);
    std::string chunk(1 << 20, 'x');
    chunk[0] = '1';
    for (int i = 0; i < 64; ++i) out << chunk;
  }
  {
    // Two million short lines.
    std::ofstream out(data.file("teba/teba_prof.txt"), std::ios::binary);
    for (int i = 0; i < 2000000; ++i) out << "1P" << (i % 1000) << "  Nombre\r\n";
  }
  const Ended ended = runCli({"export", teba, "--work-folder", work});
  EXPECT_EQ(ended.status, 0) << ended.output;
  // Line by line, memory follows the longest line, not the files.
  EXPECT_LT(ended.peakKiB, 5 * 64 * 1024) << "peak " << ended.peakKiB << " KiB";
  tables::Table rooms;
  rooms.open(work, "AULAT.DBF", tables::OpenMode::ReadOnlyShared);
  EXPECT_EQ(rooms.asString("ABREV"), "xxxx");
}

}  // namespace
}  // namespace tht::test
