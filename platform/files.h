// File-system services the rest of the program goes through: names matched
// regardless of letter case, existence tests, deletion, atomic replacement
// of a whole file, and the error codes and texts shown to the user.
#pragma once

#include <string>

namespace tht {

// Joins a folder and a name with one "/" (none added when the folder already
// ends in one).
std::string joinPath(const std::string& folder, const std::string& name);

// The path of `name` inside `folder`, matched the way the other system's file
// names match: the exact name when such an entry exists, else the first entry
// of the folder (in byte order of names) equal to `name` ignoring ASCII case,
// else the exact name (which then does not exist).
std::string resolveInFolder(const std::string& folder, const std::string& name);

// True for an existing regular file (following links); a folder is no file.
bool fileExists(const std::string& path);
// True for an existing folder.
bool folderExists(const std::string& path);

// Deletes a file if it is there; a failure is ignored. Returns whether a
// file was removed.
bool deleteFileIfPresent(const std::string& path);

// Opens a regular file for reading with a shared lock, taken without
// waiting; the open itself does not wait either, so that a pipe in the
// file's place cannot hold the run up. Returns the descriptor, or -1 with
// `err` set (EISDIR for a folder, EACCES for anything else not a regular
// file, EWOULDBLOCK for a file another program holds exclusively).
int openForReadingShared(const std::string& path, int& err);

// Replaces the whole content of `path` with `bytes` so that a reader sees
// either the old file or the new one, never a cut file: written to a
// temporary file in the same folder, flushed to disk, then renamed over the
// target. An existing file keeps its permission bits. Throws Error with
// "Cannot create file \"<path>\". <cause>" when it cannot be done; the
// earlier file is then untouched and no temporary file is left.
void replaceFileAtomically(const std::string& path, const std::string& bytes);

// The Windows-style error code the program's messages use for an errno:
// ENOENT 2, ENOTDIR/ENAMETOOLONG 3, EMFILE/ENFILE 4, EACCES/EPERM/EISDIR/
// EROFS 5, EAGAIN/EWOULDBLOCK/EBUSY (file held by another program) 32,
// ENOSPC 112, EIO 23; any other errno is passed through, except those equal
// to a code with a message of its own (3, 4, 100, 101, 106), which give 31.
int windowsErrorCode(int errnoValue);

// The system's description of an errno, as text for messages (CP1252).
std::string systemErrorText(int errnoValue);

}  // namespace tht
