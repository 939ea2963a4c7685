// File-system services the rest of the program goes through: paths joined
// and split by the system's rules, names matched regardless of letter case,
// existence tests, folder listing, deletion and atomic replacement of a
// whole file. Opening files for streamed or positioned access is in
// platform/input_file.h and platform/random_access_file.h; error codes and
// texts in platform/system_error.h.
#pragma once

#include <string>
#include <vector>

#include "platform/system_error.h"

namespace tht {

// How one system writes paths.
struct PathStyle {
  char separator;       // what joins add: '/' or '\\'
  bool slashSeparates;  // whether '/' separates too (Windows takes both)
  bool drives;          // whether "C:" starts a path and "C:\" is a root
};
constexpr PathStyle kPosixPaths{'/', true, false};
constexpr PathStyle kWindowsPaths{'\\', true, true};

// The style of the system the program was built for.
PathStyle systemPathStyle();
// Its separator: "\" on Windows, "/" elsewhere.
char pathSeparator();

bool isPathSeparator(char c, PathStyle style = systemPathStyle());

// Joins a folder and a name with one separator, none added when the folder
// already ends in one ("C:\" + "a" is "C:\a", and a folder "C:\\" from a
// drive's root gives "C:\\a", which Windows takes as "C:\a").
std::string joinPath(const std::string& folder, const std::string& name, PathStyle style);
std::string joinPath(const std::string& folder, const std::string& name);

// The path without final separators, except the one of a root ("/", "C:\").
std::string withoutFinalSeparator(const std::string& path, PathStyle style = systemPathStyle());

// A path cut at its last separator: the folder ("." when there is none; a
// root keeps its separator: "/" and "C:\") and the name after it.
struct PathParts {
  std::string folder;
  std::string name;
};
PathParts splitPath(const std::string& path, PathStyle style = systemPathStyle());

// The path of `name` inside `folder`, matched regardless of letter case.
// On Windows the file system does that, and this is joinPath(). Elsewhere
// the other system's matching is imitated: the exact name when such an entry
// exists, else the first entry of the folder (in byte order of names) equal
// to `name` ignoring ASCII case, else the exact name (which then does not
// exist).
std::string resolveInFolder(const std::string& folder, const std::string& name);

// True for an existing regular file (following links); a folder is no file.
bool fileExists(const std::string& path);
// True for an existing folder.
bool folderExists(const std::string& path);

// The names of the entries of `folder` ("." and ".." left out), in the order
// the system gives them; false with `error` set when it cannot be read.
bool listFolder(const std::string& folder, std::vector<std::string>& names, SystemError& error);

// The names of the folders in `folder` that a folder list shows, in the
// order the system gives them: "." and "..", and hidden and system ones left
// out (on Windows by their attributes; elsewhere a name starting with "." is
// hidden). Links to folders count as folders. Empty when it cannot be read.
std::vector<std::string> visibleSubfolders(const std::string& folder);

// Deletes a file if it is there; a failure is ignored. Returns whether a
// file was removed.
bool deleteFileIfPresent(const std::string& path);

// Replaces the whole content of `path` with `bytes` so that a reader sees
// either the old file or the new one, never a cut file: written to a
// temporary file in the same folder, flushed to disk, then moved over the
// target. On Linux an existing file keeps its permission bits. On Windows a
// move refused because another program holds the target for a moment
// (sharing violation, access denied) is retried for about a second. Throws
// Error with "Cannot create file \"<path>\". <cause>" (the path as shown,
// see platform/names.h) when it cannot be
// done; the earlier file is then untouched and no temporary file is left.
void replaceFileAtomically(const std::string& path, const std::string& bytes);

// A file the profile writer must leave alone: on Windows one with the
// read-only attribute; elsewhere one without any write permission, or one
// this user may not write. False for a missing file.
bool isReadOnlyFile(const std::string& path);

// The file a link stands for, so that new content goes where the link points
// and the link itself stays; any other path unchanged. Windows: the path
// unchanged.
std::string linkTarget(const std::string& path);

}  // namespace tht
