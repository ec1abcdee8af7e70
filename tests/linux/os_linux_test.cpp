#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/os.h"
#include "routines/calendar.h"
#include "routines/environment_folders.h"

namespace qor {
namespace {

// Sets an environment variable for one test and restores it afterwards.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~ScopedVariable() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

int ThisYear() {
  std::time_t now = std::time(nullptr);
  std::tm t{};
  ::localtime_r(&now, &t);
  return t.tm_year + 1900;
}

std::string Name(const char16_t (&name)[32]) {
  std::string s;
  for (char16_t c : name) {
    if (!c) break;
    s += static_cast<char>(c);
  }
  return s;
}

TDateTime At(const platform::SystemTime& t) {
  return TransitionDate(t, 0);
}

// POSIX rule strings need no zone files, so these hold on any machine.
TEST(LinuxTimeZoneTest, ANorthernZoneWithDaylightSaving) {
  ScopedVariable tz("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
  platform::TimeZoneRecord z;
  platform::ReadTimeZone(z);
  const int year = ThisYear();
  EXPECT_EQ(z.Bias, -60);
  EXPECT_EQ(z.StandardBias, 0);
  EXPECT_EQ(z.DaylightBias, -60);
  EXPECT_EQ(Name(z.StandardName), "CET");
  EXPECT_EQ(Name(z.DaylightName), "CEST");
  // Each change at the wall-clock time it happens at: 02:00 in spring, 03:00 in autumn.
  EXPECT_DOUBLE_EQ(At(z.DaylightDate), NthWeekdayOfMonth(year, 3, 5, 1) + 2.0 / 24);
  EXPECT_DOUBLE_EQ(At(z.StandardDate), NthWeekdayOfMonth(year, 10, 5, 1) + 3.0 / 24);
  EXPECT_EQ(z.DaylightDate.wDayOfWeek, 0);
}

TEST(LinuxTimeZoneTest, ASouthernZoneWithDaylightSaving) {
  ScopedVariable tz("TZ", "AEST-10AEDT,M10.1.0,M4.1.0/3");
  platform::TimeZoneRecord z;
  platform::ReadTimeZone(z);
  const int year = ThisYear();
  EXPECT_EQ(z.Bias, -600);
  EXPECT_EQ(z.DaylightBias, -60);
  EXPECT_DOUBLE_EQ(At(z.DaylightDate), NthWeekdayOfMonth(year, 10, 1, 1) + 2.0 / 24);
  EXPECT_DOUBLE_EQ(At(z.StandardDate), NthWeekdayOfMonth(year, 4, 1, 1) + 3.0 / 24);
}

TEST(LinuxTimeZoneTest, AZoneWithoutDaylightSaving) {
  ScopedVariable tz("TZ", "EST5");
  platform::TimeZoneRecord z;
  platform::ReadTimeZone(z);
  EXPECT_EQ(z.Bias, 300);
  EXPECT_EQ(Name(z.StandardName), "EST");
  EXPECT_EQ(Name(z.DaylightName), "");
  EXPECT_EQ(z.StandardDate.wMonth, 0);
  EXPECT_EQ(z.DaylightDate.wMonth, 0);
  EXPECT_EQ(z.DaylightBias, 0);
}

TEST(LinuxEnvironmentTest, ReadsTheWholeEnvironment) {
  const std::string big(10000, 'v');
  ScopedVariable v("QOR_BIG_VALUE", big.c_str());
  TStringList list;
  ReadEnvironment(list);
  EXPECT_GE(list.IndexOf("QOR_BIG_VALUE=" + big), 0);
  EXPECT_GE(list.Count(), 2);
}

class LinuxFoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("qor-folders-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_ / "config");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void WriteUserDirs(const std::string& text) {
    std::ofstream(dir_ / "config" / "user-dirs.dirs") << text;
  }
  std::string Folder(int csidl) {
    std::string path;
    return platform::QuerySpecialFolder(0, csidl, path) ? path : "<none>";
  }
  std::filesystem::path dir_;
};

TEST_F(LinuxFoldersTest, TheUserDirsFileNamesTheUsersOwnFolders) {
  ScopedVariable home("HOME", "/home/someone");
  ScopedVariable config("XDG_CONFIG_HOME", (dir_ / "config").c_str());
  ScopedVariable data("XDG_DATA_HOME", nullptr);
  ScopedVariable envDesktop("XDG_DESKTOP_DIR", "/elsewhere");
  WriteUserDirs(
      "# written by the desktop\n"
      "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
      "XDG_DOCUMENTS_DIR=\"/data/docs/\"\n"
      "XDG_TEMPLATES_DIR=\"$HOME/\"\n");
  EXPECT_EQ(Folder(0x00), "/home/someone/Schreibtisch");  // the file wins
  EXPECT_EQ(Folder(0x10), "/home/someone/Schreibtisch");
  EXPECT_EQ(Folder(0x05), "/data/docs");
  EXPECT_EQ(Folder(0x15), "<none>");  // set to the home folder: switched off
  EXPECT_EQ(Folder(0x1A), "/home/someone/.local/share");
  for (int csidl : {0x01, 0x03, 0x0A, 0x14, 0x19, 0x21}) EXPECT_EQ(Folder(csidl), "<none>");
}

TEST_F(LinuxFoldersTest, WithoutTheFileTheEnvironmentOrNothing) {
  ScopedVariable home("HOME", "/home/someone");
  ScopedVariable config("XDG_CONFIG_HOME", (dir_ / "config").c_str());
  ScopedVariable envDesktop("XDG_DESKTOP_DIR", "/desk");
  ScopedVariable envDocuments("XDG_DOCUMENTS_DIR", nullptr);
  ScopedVariable data("XDG_DATA_HOME", "/var/data");
  EXPECT_EQ(Folder(0x00), "/desk");
  EXPECT_EQ(Folder(0x05), "<none>");
  EXPECT_EQ(Folder(0x1A), "/var/data");
}

TEST(LinuxSystemFoldersTest, TempFromTmpdirElseTmpAndNoSystemFolder) {
  std::string path;
  {
    ScopedVariable t("TMPDIR", "/scratch/tmp");
    ASSERT_TRUE(platform::QueryTempFolder(path));
    EXPECT_EQ(path, "/scratch/tmp");
  }
  {
    ScopedVariable t("TMPDIR", nullptr);
    ASSERT_TRUE(platform::QueryTempFolder(path));
    EXPECT_EQ(path, "/tmp");
  }
  EXPECT_FALSE(platform::QuerySystemFolder(path));
}

}  // namespace
}  // namespace qor
