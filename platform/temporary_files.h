// The names of the temporary files a save writes before it moves them over
// their target: ".tht-<process id>-<n>", so that a later save can tell the
// leftovers of a process killed in between from those of a save under way.
// For the system implementations of replaceFileAtomically() only.
#pragma once

#include <string>

namespace tht {

// ".tht-<processId>-": what every temporary name of that process starts with.
std::string temporaryFilePrefix(unsigned long processId);

// The process id in a temporary file's name; 0 for any other name.
unsigned long temporaryFileOwner(const std::string& name);

}  // namespace tht
