// The temporary files a save writes before it moves them over their target,
// and which of them a later save removes. A save killed between writing its
// temporary file and moving it leaves that file behind. A folder may be on a
// network share that other computers save into, and a process id tells
// something only on the computer and the system that gave it; so a name
// says both: ".tht-<computer>-<process id>-<n>".
// For the system implementations of replaceFileAtomically() only.
#pragma once

#include <functional>
#include <string>

namespace tht {

// The <computer> of the names: 16 hexadecimal digits that stand for
// `identity` (the system's kind, the computer's name, its installation's id).
std::string computerTag(const std::string& identity);
// This computer's, as the system implementation builds it.
const std::string& thisComputer();

// ".tht-<computer>-<processId>-": what every temporary name of a process
// starts with.
std::string temporaryFilePrefix(const std::string& computer, unsigned long processId);

// A temporary file not written for this long is left over, whoever wrote
// it: no save takes that long.
constexpr long long kLeftoverSeconds = 10 * 60;

// Whether a save of process `self` on computer `computer` removes the file
// `name` it finds in the folder, last written `ageSeconds` before the save
// created its own temporary file there (both times from the same file
// system's clock): a temporary file of another process of this computer
// that has ended (`hasEnded` tells), or any temporary file older than
// kLeftoverSeconds. A file of another computer younger than that may still
// be written, and stays; so does every name that is not a temporary one.
// Names of earlier versions, ".tht-<process id>-<n>", count as another
// computer's.
bool isLeftover(const std::string& name, long long ageSeconds, const std::string& computer,
                unsigned long self, const std::function<bool(unsigned long)>& hasEnded);

}  // namespace tht
