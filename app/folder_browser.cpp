#include "app/folder_browser.h"

#include <algorithm>

#include "app/path_label.h"
#include "core/error_texts.h"
#include "platform/cp1252.h"
#include "platform/folders.h"
#include "platform/names.h"

namespace tht::app {
namespace {

// The drive list's text of a drive: its name ("c:", or the mount point),
// then nothing for a removable drive, the network resource for a network
// drive that has one, else the volume label between square brackets.
DriveLine driveLine(const DriveInfo& drive, PathStyle style) {
  const std::string name = style.drives ? foldCase(drive.root.substr(0, 2)) : shownName(drive.root);
  if (drive.kind == DriveKind::Removable) return {name, drive.kind};
  if (drive.kind == DriveKind::Network && !drive.networkName.empty())
    return {name + " " + foldCase(shownName(drive.networkName)), drive.kind};
  return {name + " [" + foldCase(shownName(drive.label)) + "]", drive.kind};
}

}  // namespace

PathStyle SystemFolders::pathStyle() const { return systemPathStyle(); }
std::string SystemFolders::workingDirectory() { return tht::workingDirectory(); }
SystemError SystemFolders::changeWorkingDirectory(const std::string& folder) {
  return tht::changeWorkingDirectory(folder);
}
std::vector<std::string> SystemFolders::visibleSubfolders(const std::string& folder) {
  return tht::visibleSubfolders(folder);
}
bool SystemFolders::keepsLetterCase(const std::string& folder) { return tht::keepsLetterCase(folder); }
std::vector<DriveInfo> SystemFolders::drives() { return systemDrives(); }
std::string SystemFolders::folderHeldOnDrive(const std::string& root) { return tht::folderHeldOnDrive(root); }

FolderSystem& systemFolders() {
  static SystemFolders system;
  return system;
}

FolderBrowser::FolderBrowser(FolderSystem& system) : system_(system), style_(system.pathStyle()) {
  drives_ = system_.drives();
  for (const DriveInfo& drive : drives_) driveLines_.push_back(driveLine(drive, style_));
  current_ = system_.workingDirectory();
  if (current_.empty()) current_ = std::string(1, style_.separator);
  buildFolderLines();
  selectedDrive_ = driveOf(current_);
  if (selectedDrive_ < drives_.size()) lastVisited_[drives_[selectedDrive_].root] = current_;
}

void FolderBrowser::buildFolderLines() {
  const bool keepsCase = system_.keepsLetterCase(current_);
  const auto shown = [keepsCase](const std::string& name) {
    return keepsCase ? shownName(name) : foldCase(shownName(name));
  };
  const char separator = style_.separator;
  lines_.clear();
  // The root: "C:\" or "/".
  const size_t rootLength = style_.drives && current_.size() >= 2 && current_[1] == ':' ? 3 : 1;
  const std::string root = current_.substr(0, std::min(rootLength, current_.size()));
  lines_.push_back({shownName(root), root, 2, FolderIcon::Open});
  for (size_t start = root.size(); start < current_.size();) {
    const size_t next = current_.find(separator, start);
    const size_t end = next == std::string::npos ? current_.size() : next;
    const int index = static_cast<int>(lines_.size());
    lines_.push_back({shown(current_.substr(start, end - start)), current_.substr(0, end), 2 + 4 * index,
                      FolderIcon::Open});
    start = end + 1;
  }
  lines_.back().icon = FolderIcon::Current;
  selectedLine_ = lines_.size() - 1;

  // The subfolders, sorted by their shown names ignoring case.
  std::vector<std::pair<std::string, std::string>> subfolders;  // shown, the system's
  for (const std::string& name : system_.visibleSubfolders(current_)) subfolders.emplace_back(shown(name), name);
  std::sort(subfolders.begin(), subfolders.end(), [](const auto& a, const auto& b) {
    const int order = compareIgnoringCase(a.first, b.first);
    return order != 0 ? order < 0 : a < b;
  });
  const int depth = static_cast<int>(std::count(current_.begin(), current_.end(), separator));
  const std::string prefix = current_.back() == separator ? current_ : current_ + separator;
  for (const auto& [text, name] : subfolders) lines_.push_back({text, prefix + name, 6 + 4 * depth, FolderIcon::Closed});
}

// The drive whose root holds `folder`: the longest such root.
size_t FolderBrowser::driveOf(const std::string& folder) const {
  size_t best = drives_.size();
  size_t bestLength = 0;
  for (size_t i = 0; i < drives_.size(); ++i) {
    const std::string& root = drives_[i].root;
    if (folder.size() < root.size()) continue;
    const std::string start = folder.substr(0, root.size());
    const bool same = style_.drives ? upperAscii(start) == upperAscii(root) : start == root;
    const bool atBoundary = root.back() == style_.separator || folder.size() == root.size() ||
                            folder[root.size()] == style_.separator;
    if (same && atBoundary && root.size() >= bestLength) {
      best = i;
      bestLength = root.size();
    }
  }
  return best;
}

std::string FolderBrowser::pathLabel(int maxWidth, const std::function<int(const std::string&)>& width) const {
  return shortenPath(shownName(current_), maxWidth, width, style_.separator);
}

std::string FolderBrowser::enter(const std::string& folder) {
  if (const SystemError error = system_.changeWorkingDirectory(folder)) return inOutErrorMessage(error.code);
  const std::string now = system_.workingDirectory();
  current_ = now.empty() ? folder : now;
  buildFolderLines();
  selectedDrive_ = driveOf(current_);
  if (selectedDrive_ < drives_.size()) lastVisited_[drives_[selectedDrive_].root] = current_;
  return {};
}

std::string FolderBrowser::openFolderLine(size_t index) {
  if (index >= lines_.size()) return {};
  return enter(lines_[index].target);
}

std::string FolderBrowser::chooseDrive(size_t index) {
  if (index >= drives_.size()) return {};
  selectedDrive_ = index;  // the list shows the choice, whatever comes of it
  if (index == driveOf(current_)) return {};  // already there
  const std::string& root = drives_[index].root;
  std::string target = system_.folderHeldOnDrive(root);
  if (target.empty()) {
    const auto visited = lastVisited_.find(root);
    target = visited == lastVisited_.end() ? root : visited->second;
  }
  return enter(target);
}

}  // namespace tht::app
