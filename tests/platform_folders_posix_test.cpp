// The fixed folders on Linux: the host's work folder inside the Wine prefix,
// and the program file from /proc/self/exe.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/folders.h"

namespace tht {
namespace {

TEST(Folders, WorkFolderFollowsTheWinePrefix) {
  const char* saved = std::getenv("WINEPREFIX");
  const std::string restore = saved ? saved : "";
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("WINEPREFIX", "/srv/wine", 1);
  EXPECT_EQ(defaultWorkFolder(), "/srv/wine/drive_c/HTEMP");
  ::unsetenv("WINEPREFIX");
  ::setenv("HOME", "/home/ana", 1);
  EXPECT_EQ(defaultWorkFolder(), "/home/ana/.wine/drive_c/HTEMP");
  ::setenv("HOME", home.c_str(), 1);
  if (saved) ::setenv("WINEPREFIX", restore.c_str(), 1);
  EXPECT_EQ(programFileName(), "platform_test");
  EXPECT_FALSE(programFolder().empty());
}

}  // namespace
}  // namespace tht
