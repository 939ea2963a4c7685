#include "tests/support/windows_process.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <fstream>
#include <sstream>

namespace tht::test {
namespace {

std::string temporaryName(const std::string& kind) {
  static std::atomic<unsigned> counter{0};
  char folder[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof folder, folder);
  std::string base = length > 0 && length < sizeof folder ? std::string(folder, length) : ".\\";
  return base + "tht-" + kind + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

std::string contentOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

HANDLE inheritableFile(const std::string& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inherit,
                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::string windowsPathOf(const std::string& buildMachinePath) {
  std::string path = "Z:" + buildMachinePath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string quotedArgument(const std::string& argument) {
  // Backslashes are literal except before a quote, where they are doubled.
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    out += c;
  }
  out.append(2 * backslashes, '\\');
  return out + "\"";
}

std::string builtProgram(const std::string& relative) {
  return windowsPathOf(std::string(THT_BINARY_DIR) + "/" + relative);
}

ProgramOutcome runProgram(const std::string& commandLine, const std::string& folder) {
  ProgramOutcome outcome;
  const std::string outPath = temporaryName("out");
  const std::string errPath = temporaryName("err");
  HANDLE out = inheritableFile(outPath, GENERIC_WRITE, CREATE_ALWAYS);
  HANDLE err = inheritableFile(errPath, GENERIC_WRITE, CREATE_ALWAYS);
  HANDLE in = inheritableFile("NUL", GENERIC_READ, OPEN_EXISTING);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  std::string line = commandLine;
  const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      folder.empty() ? nullptr : folder.c_str(), &startup, &process);
  const DWORD startError = GetLastError();
  CloseHandle(in);
  CloseHandle(out);
  CloseHandle(err);
  if (!started) {
    ADD_FAILURE() << "cannot start " << commandLine << ": error " << startError;
  } else {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    outcome.status = static_cast<int>(status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    outcome.out = contentOf(outPath);
    outcome.err = contentOf(errPath);
  }
  DeleteFileA(outPath.c_str());
  DeleteFileA(errPath.c_str());
  return outcome;
}

HeldFile::HeldFile(const std::string& path, const std::string& access, const std::string& share,
                   int milliseconds)
    : ready_(temporaryName("held")) {
  std::string line = quotedArgument(builtProgram("tests/tht-hold-file.exe")) + " " + quotedArgument(path) + " " + access +
                     " " + share + " " + std::to_string(milliseconds) + " " + quotedArgument(ready_);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    ADD_FAILURE() << "cannot start tht-hold-file: error " << GetLastError();
    return;
  }
  CloseHandle(process.hThread);
  process_ = process.hProcess;
  // Until the ready file appears, or the helper ends without holding.
  for (int waited = 0; waited < 30000; waited += 5) {
    if (GetFileAttributesA(ready_.c_str()) != INVALID_FILE_ATTRIBUTES) {
      holding_ = true;
      return;
    }
    if (WaitForSingleObject(process_, 5) == WAIT_OBJECT_0) break;
  }
  ADD_FAILURE() << "tht-hold-file did not take " << path;
}

void HeldFile::release() {
  if (process_ == nullptr) return;
  TerminateProcess(process_, 0);
  WaitForSingleObject(process_, INFINITE);
  CloseHandle(process_);
  process_ = nullptr;
}

HeldFile::~HeldFile() {
  if (process_ != nullptr) {
    WaitForSingleObject(process_, INFINITE);
    CloseHandle(process_);
  }
  DeleteFileA(ready_.c_str());
}

}  // namespace tht::test
