// The file services on Linux (and other POSIX systems).
#include "platform/files.h"
#include "platform/temporary_files.h"

#include <cerrno>
#include <cstdio>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <signal.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/cp1252.h"
#include "platform/error.h"
#include "platform/input_file.h"
#include "platform/names.h"
#include "platform/random_access_file.h"

namespace tht {
namespace {

bool writeAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

std::string folderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Writes, sets the mode, flushes and closes; the first failure's errno, or 0.
int writeAndClose(int fd, const std::string& bytes, mode_t mode) {
  int err = 0;
  if (!writeAll(fd, bytes.data(), bytes.size())) err = errno;
  if (err == 0 && ::fchmod(fd, mode) != 0) err = errno;
  if (err == 0 && ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  return err;
}

bool hasEnded(unsigned long process) {
  return process > 0 && process <= static_cast<unsigned long>(INT_MAX) &&
         ::kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH;
}

// Removes the temporary files other saves left in the folder (see
// isLeftover()); `now` is the time the folder's file system gave the save's
// own temporary file when it was created.
void removeLeftovers(const std::string& folder, const struct timespec& now) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  const unsigned long self = static_cast<unsigned long>(::getpid());
  while (const struct dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    struct stat st;
    if (name.rfind(".tht-", 0) != 0 || ::fstatat(::dirfd(dir), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
      continue;
    const long long age = static_cast<long long>(now.tv_sec) - static_cast<long long>(st.st_mtim.tv_sec);
    if (isLeftover(name, age, thisComputer(), self, hasEnded)) ::unlinkat(::dirfd(dir), name.c_str(), 0);
  }
  ::closedir(dir);
}

}  // namespace

const std::string& thisComputer() {
  // The host name, and the id the system gave this installation: host names
  // repeat ("debian" on every machine installed with the defaults).
  static const std::string tag = [] {
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    std::string id;
    for (const char* file : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
      if (FILE* in = std::fopen(file, "r")) {
        char line[128] = {};
        if (std::fgets(line, sizeof line, in) != nullptr) id = line;
        std::fclose(in);
      }
      if (!id.empty()) break;
    }
    return computerTag(std::string("posix\n") + host + "\n" + id);
  }();
  return tag;
}

PathStyle systemPathStyle() { return kPosixPaths; }

std::string resolveInFolder(const std::string& folder, const std::string& name) {
  const std::string exact = joinPath(folder, name);
  struct stat st;
  if (::lstat(exact.c_str(), &st) == 0) return exact;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return exact;
  const std::string wanted = lowerAscii(name);
  std::string best;
  bool found = false;
  while (const struct dirent* entry = ::readdir(dir)) {
    const std::string entryName = entry->d_name;
    if (entryName.size() != wanted.size() || lowerAscii(entryName) != wanted) continue;
    if (!found || entryName < best) {
      best = entryName;
      found = true;
    }
  }
  ::closedir(dir);
  return found ? joinPath(folder, best) : exact;
}

bool fileExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool folderExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool deleteFileIfPresent(const std::string& path) {
  if (!fileExists(path)) return false;
  return ::unlink(path.c_str()) == 0;
}

void replaceFileAtomically(const std::string& path, const std::string& bytes) {
  auto fail = [&](int err) {
    throw Error("Cannot create file \"" + shownName(path) + "\". " + systemErrorText(err));
  };
  if (folderExists(path)) fail(EISDIR);
  mode_t mode = 0644;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  const std::string folder = folderOf(path);
  std::string temp =
      joinPath(folder, temporaryFilePrefix(thisComputer(), static_cast<unsigned long>(::getpid())) + "XXXXXX");
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) fail(errno);
  struct stat created;
  if (::fstat(fd, &created) == 0) removeLeftovers(folder, created.st_mtim);
  int err = writeAndClose(fd, bytes, mode);
  if (err == 0 && ::rename(temp.c_str(), path.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(temp.c_str());
    fail(err);
  }
  // Make the rename itself durable.
  const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    ::fsync(dirFd);
    ::close(dirFd);
  }
}

bool listFolder(const std::string& folder, std::vector<std::string>& names, SystemError& error) {
  names.clear();
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) {
    error = systemError(errno);
    return false;
  }
  while (const struct dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  return true;
}

std::vector<std::string> visibleSubfolders(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const struct dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] == '.') continue;  // hidden, and "." and ".."
    struct stat st;
    if (::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode)) names.push_back(entry->d_name);
  }
  ::closedir(dir);
  return names;
}

bool isReadOnlyFile(const std::string& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  return (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

std::string linkTarget(const std::string& path) {
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return path;
  return resolved;
}

int windowsErrorCode(int native) {
  switch (native) {
    case ENOENT: return 2;
    case ENOTDIR:
    case ENAMETOOLONG: return 3;
    case EMFILE:
    case ENFILE: return 4;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return 5;
    case EWOULDBLOCK:
    case EBUSY:
    case ETXTBSY: return 32;
    case ENOSPC:
    case EDQUOT: return 112;
    // A device that fails a read: the code a bad sector gives, never the
    // "access denied" that passing EIO (5) through would say.
    case EIO: return 23;
    // Other errnos pass through, save those that would read as a code with
    // a text of its own (EINTR as "too many open files", ENETUNREACH as
    // "disk full", ...): those become the general failure of a device.
    case ESRCH:        // 3
    case EINTR:        // 4
    case ENETDOWN:     // 100
    case ENETUNREACH:  // 101
    case EISCONN:      // 106
      return 31;
    default: return native;
  }
}

// The text is in the locale's language and character set (English and ASCII
// unless the program has set a locale): UTF-8 is converted; the letters of
// the single-byte Western sets are those of code page 1252 already.
std::string systemErrorText(int native) {
  char buffer[256];
  const char* text = ::strerror_r(native, buffer, sizeof buffer);
  return localeTextIsUtf8() ? utf8ToCp1252(text) : std::string(text);
}

SystemError systemError(int native, SystemError::Kind kind) {
  return {kind, windowsErrorCode(native), systemErrorText(native)};
}

}  // namespace tht
