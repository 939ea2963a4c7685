// The drive list's lines: what each kind of drive shows after its name.
#pragma once

#include <string>

namespace tht::app {

enum class DriveKind { Removable, Fixed, Network, Optical, RamDisk };

struct Drive {
  std::string root;  // "C:\" on Windows, the mount point on Linux
  DriveKind kind = DriveKind::Fixed;
  std::string text;  // the line's text
};

// `name` ("c:", or a mount point) and what follows it: nothing for a
// removable drive; the network resource's name in lower case for a network
// drive (when known); otherwise the volume label in lower case between
// square brackets (empty ones when there is none).
std::string driveText(const std::string& name, DriveKind kind, const std::string& volumeLabel,
                      const std::string& networkName);

}  // namespace tht::app
