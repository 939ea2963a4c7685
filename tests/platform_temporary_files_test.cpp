// The sweep of the temporary files earlier saves left: what a save removes,
// and what it leaves because another computer may still be writing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/temporary_files.h"
#include "tests/support/temp_folder.h"

namespace tht {
namespace {

namespace fs = std::filesystem;

TEST(TemporaryFiles, WhatASaveRemoves) {
  EXPECT_EQ(computerTag(""), "cbf29ce484222325");  // 64-bit FNV-1a, so that every version agrees
  EXPECT_EQ(computerTag("a"), "af63dc4c8601ec8c");
  const std::string here = computerTag("here"), there = computerTag("there");
  const auto hasEnded = [](unsigned long process) { return process == 7; };
  struct Case {
    std::string name;
    long long age;
    bool removed;
  };
  const Case cases[] = {
      {temporaryFilePrefix(here, 7) + "1", 0, true},             // this computer's ended process
      {temporaryFilePrefix(here, 8) + "1", 600, false},          // one still running
      {temporaryFilePrefix(here, 8) + "aB3xYz", 601, true},      // not written for over ten minutes
      {temporaryFilePrefix(here, 5) + "1", 0, false},            // this process
      {temporaryFilePrefix(there, 7) + "1", 600, false},         // another computer's
      {temporaryFilePrefix(there, 7) + "1", 601, true},
      {".tht-7-1", 600, false},                                   // an earlier version's: whose is unknown
      {".tht-7-1", 601, true},
      {".tht-" + here + "-99999999999-1", 0, false},             // too long for a process id
      {".tht-" + here + "-x-1", 9999, false},                    // not a temporary file's name
      {".tht-Ab12cd", 9999, false},
      {".tht--1", 9999, false},
      {"A.TXT", 9999, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(isLeftover(c.name, c.age, here, 5, hasEnded), c.removed) << c.name << ", " << c.age << " s";
}

// A real save among such files: the time it judges by is the folder's, the
// process test the system's.
TEST(TemporaryFiles, ASaveSweepsItsFolderAndSparesAnotherComputersFile) {
  test::TempFolder folder;
  const unsigned long ended = 999999996;  // beyond Linux's process ids; no Windows process in a test run
  const std::string elsewhere = computerTag("another computer");
  const std::string foreign = temporaryFilePrefix(elsewhere, ended) + "1";
  const std::string earlierVersion = ".tht-" + std::to_string(ended) + "-2";
  const std::string mine = temporaryFilePrefix(thisComputer(), ended) + "3";
  const std::string foreignOld = temporaryFilePrefix(elsewhere, ended) + "4";
  const std::string earlierVersionOld = ".tht-" + std::to_string(ended) + "-5";
  for (const std::string& name : {foreign, earlierVersion, mine, foreignOld, earlierVersionOld})
    folder.write(name, "left");
  for (const std::string& name : {foreignOld, earlierVersionOld})
    fs::last_write_time(folder.file(name), fs::file_time_type::clock::now() - std::chrono::minutes(11));
  replaceFileAtomically(folder.file("A.TXT"), "new");
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder.path())) names.push_back(entry.path().filename().string());
  std::vector<std::string> kept = {earlierVersion, foreign, "A.TXT"};
  std::sort(names.begin(), names.end());
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(names, kept);
  EXPECT_EQ(test::readBytes(folder.file(foreign)), "left");
}

}  // namespace
}  // namespace tht
