#include "app/drives.h"

#include "platform/cp1252.h"

namespace tht::app {

std::string driveText(const std::string& name, DriveKind kind, const std::string& volumeLabel,
                      const std::string& networkName) {
  if (kind == DriveKind::Removable) return name;
  if (kind == DriveKind::Network && !networkName.empty()) return name + " " + foldCase(networkName);
  return name + " [" + foldCase(volumeLabel) + "]";
}

}  // namespace tht::app
