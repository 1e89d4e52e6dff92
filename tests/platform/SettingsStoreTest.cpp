#include "platform/settings/SettingsStore.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <sstream>

#include "TempHome.h"
#include "core/settings/RegistryFile.h"

namespace tossbox {
namespace {

namespace fs = std::filesystem;

const ScreenGeometry kScreen{1024, 768, 219, 324};

std::string contentsOf(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeFile(const fs::path& file, std::string_view text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

std::vector<fs::path> filesIn(const fs::path& folder) {
  std::vector<fs::path> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

SettingsRecord exampleRecord() {
  SettingsRecord record = defaultSettingsRecord(kScreen);
  record.target(2).FolderPath = "/srv/Pictures/Cats";
  record.target(2).MoveOnPress = 1;
  return record;
}

TEST(SettingsStore, LivesUnderTheConfigFolder) {
  TempHome home;
  EXPECT_EQ(SettingsStore::defaultPath(), home.configHome() / "stv" / "Software-stv.reg");
  EXPECT_EQ(SettingsStore().path(), SettingsStore::defaultPath());
  setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
  EXPECT_EQ(SettingsStore::defaultPath(), home.home() / ".config" / "stv" / "Software-stv.reg");
  unsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(SettingsStore::defaultPath(), home.home() / ".config" / "stv" / "Software-stv.reg");
}

// A relative HOME would put the store under whatever folder the program was started in.
TEST(SettingsStore, ARelativeHomeIsIgnored) {
  TempHome home;
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", "relative/home", 1);
  const fs::path path = SettingsStore::defaultPath();
  EXPECT_TRUE(path.is_absolute()) << path;
  EXPECT_EQ(path.filename(), "Software-stv.reg");
  setenv("HOME", "", 1);
  EXPECT_TRUE(SettingsStore::defaultPath().is_absolute());
}

TEST(SettingsStore, FirstStartThenSaveAndLoadBack) {
  TempHome home;
  const SettingsStore store;
  const SettingsLoadResult first = store.loadRecord(kScreen);
  EXPECT_FALSE(first.keyExisted);
  EXPECT_TRUE(first.errors.empty());
  EXPECT_EQ(first.record, defaultSettingsRecord(kScreen));
  EXPECT_FALSE(fs::exists(home.configHome() / "stv"));  // loading writes nothing

  const SettingsStore::SaveResult saved = store.saveRecord(exampleRecord());
  EXPECT_TRUE(saved.saved);
  EXPECT_TRUE(saved.errors.empty());
  const std::string text = contentsOf(store.path());
  EXPECT_TRUE(text.starts_with("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\stv]\n\"r15\"=hex:"));
  EXPECT_NE(text.find("\n\"st1\"=\"/srv/Pictures/Cats\"\n"), std::string::npos);
  EXPECT_EQ(filesIn(store.path().parent_path()), std::vector<fs::path>{"Software-stv.reg"});

  const SettingsLoadResult again = SettingsStore().loadRecord(kScreen);
  EXPECT_TRUE(again.keyExisted);
  EXPECT_TRUE(again.errors.empty());
  EXPECT_EQ(again.record, exampleRecord());
}

TEST(SettingsStore, KeepsWhatItDoesNotWrite) {
  TempHome home;
  const SettingsStore store;
  writeFile(store.path(),
            "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Other]\n\"x\"=\"1\"\n\n"
            "[HKEY_CURRENT_USER\\Software\\stv]\n\"extra\"=dword:00000007\n\"r15\"=\"wrong\"\n");
  const SettingsLoadResult loaded = store.loadRecord(kScreen);
  ASSERT_EQ(loaded.errors.size(), 1u);
  EXPECT_NE(loaded.errors[0].find("\"r15\""), std::string::npos);
  EXPECT_EQ(loaded.record.MainHeight, 324);

  ASSERT_TRUE(store.saveRecord(loaded.record).saved);
  const auto document = parseRegistryFile(contentsOf(store.path())).document;
  ASSERT_TRUE(document);
  ASSERT_NE(document->findKey("HKEY_CURRENT_USER\\Software\\Other"), nullptr);
  const RegistryKey* key = document->findKey(kSettingsKeyPath);
  ASSERT_NE(key, nullptr);
  ASSERT_NE(key->find("extra"), nullptr);
  EXPECT_EQ(key->find("r15")->type, RegistryType::Binary);  // replaced, with its type
  EXPECT_TRUE(SettingsStore().loadRecord(kScreen).errors.empty());
}

TEST(SettingsStore, UnparsableFileIsKeptAsBad) {
  TempHome home;
  const SettingsStore store;
  const std::string garbage = "this is not a registry file\n";
  writeFile(store.path(), garbage);

  const SettingsStore::LoadResult loaded = store.load();
  EXPECT_FALSE(loaded.key);
  ASSERT_EQ(loaded.errors.size(), 1u);
  EXPECT_NE(loaded.errors[0].find("Software-stv.reg.bad"), std::string::npos);
  const fs::path bad = store.path().string() + ".bad";
  EXPECT_EQ(contentsOf(bad), garbage);
  EXPECT_FALSE(fs::exists(store.path()));

  // A second bad file does not push out the first.
  writeFile(store.path(), "REGEDIT4\n[K]\n\"a\"=hex:zz\n");
  const SettingsStore::SaveResult saved = store.saveRecord(exampleRecord());
  EXPECT_TRUE(saved.saved);
  ASSERT_EQ(saved.errors.size(), 1u);
  EXPECT_NE(saved.errors[0].find("3 行目"), std::string::npos);
  EXPECT_EQ(contentsOf(bad), garbage);
  EXPECT_EQ(contentsOf(store.path().string() + ".bad.1"), "REGEDIT4\n[K]\n\"a\"=hex:zz\n");
  EXPECT_EQ(store.loadRecord(kScreen).record, exampleRecord());
}

// Also beside the file a linked store leads to: that is where its saves are written.
TEST(SettingsStore, LeftoversOfUnfinishedSavesAreRemovedBesideALinkedStore) {
  TempHome home;
  const SettingsStore store;
  ASSERT_TRUE(store.saveRecord(exampleRecord()).saved);
  const fs::path elsewhere = home.makeDir("kept elsewhere");
  fs::rename(store.path(), elsewhere / "real.reg");
  fs::create_symlink(elsewhere / "real.reg", store.path());
  writeFile(store.path().string() + ".tmp.aB3xYz", "left");
  writeFile(store.path().string() + ".tmp.aB3xYz7", "not our name");
  writeFile(elsewhere / "real.reg.tmp.Zz9Zz9", "left");
  writeFile(elsewhere / "Software-stv.reg.tmp.Zz9Zz9", "not beside the store");
  EXPECT_EQ(store.removeLeftovers(), 2);
  EXPECT_EQ(filesIn(elsewhere), (std::vector<fs::path>{"Software-stv.reg.tmp.Zz9Zz9", "real.reg"}));
  EXPECT_EQ(filesIn(store.path().parent_path()),
            (std::vector<fs::path>{"Software-stv.reg", "Software-stv.reg.tmp.aB3xYz7"}));
}

TEST(SettingsStore, BadFileThatCannotBeMovedIsNeverReplaced) {
  TempHome home;
  const SettingsStore store;
  const std::string garbage = "garbage";
  writeFile(store.path(), garbage);
  writeFile(store.path().string() + ".bad", "taken");
  for (int n = 1; n < 100; ++n) writeFile(store.path().string() + ".bad." + std::to_string(n), "");

  EXPECT_EQ(store.load().errors.size(), 1u);
  const SettingsStore::SaveResult saved = store.saveRecord(exampleRecord());
  EXPECT_FALSE(saved.saved);
  EXPECT_EQ(saved.errors.size(), 1u);
  EXPECT_EQ(contentsOf(store.path()), garbage);
}

TEST(SettingsStore, FailedWriteLeavesTheOldFileWhole) {
  TempHome home;
  const SettingsStore store;
  ASSERT_TRUE(store.saveRecord(exampleRecord()).saved);
  const std::string before = contentsOf(store.path());
  SettingsRecord longer = exampleRecord();
  longer.target(1).FolderPath = "/" + std::string(5000, 'x');

  // The file-size limit makes write() fail even for root.
  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 1000;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const SettingsStore::SaveResult failed = store.saveRecord(longer);
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(failed.saved);
  ASSERT_EQ(failed.errors.size(), 1u);
  EXPECT_NE(failed.errors[0].find("保存できませんでした"), std::string::npos);
  EXPECT_EQ(contentsOf(store.path()), before);
  EXPECT_EQ(filesIn(store.path().parent_path()), std::vector<fs::path>{"Software-stv.reg"});

  if (geteuid() != 0) {
    fs::permissions(store.path().parent_path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(store.saveRecord(longer).saved);
    fs::permissions(store.path().parent_path(), fs::perms::owner_all);
    EXPECT_EQ(contentsOf(store.path()), before);
  }
  // A folder that cannot be made at all.
  writeFile(home.root() / "blocker", "");
  const SettingsStore blocked(home.root() / "blocker" / "stv" / "Software-stv.reg");
  EXPECT_FALSE(blocked.saveRecord(longer).saved);
}

TEST(SettingsStore, WritesThroughASymbolicLink) {
  TempHome home;
  const SettingsStore store;
  const fs::path real = home.makeDir("dotfiles") / "stv.reg";
  fs::create_directories(store.path().parent_path());
  fs::create_symlink(real, store.path());
  ASSERT_TRUE(store.saveRecord(exampleRecord()).saved);
  EXPECT_TRUE(fs::is_symlink(store.path()));
  EXPECT_NE(contentsOf(real).find("/srv/Pictures/Cats"), std::string::npos);
  EXPECT_EQ(store.loadRecord(kScreen).record, exampleRecord());
  SettingsRecord changed = exampleRecord();
  changed.MainTop = 7;
  ASSERT_TRUE(store.saveRecord(changed).saved);
  EXPECT_TRUE(fs::is_symlink(store.path()));
  EXPECT_EQ(store.loadRecord(kScreen).record.MainTop, 7);

  const SettingsStore loop(home.root() / "loop");
  fs::create_symlink("loop", loop.path());
  // A link loop cannot be read: it is kept aside like any unreadable file.
  const SettingsStore::SaveResult looped = loop.saveRecord(changed);
  EXPECT_TRUE(looped.saved);
  EXPECT_EQ(looped.errors.size(), 1u);
  EXPECT_TRUE(fs::is_symlink(loop.path().string() + ".bad"));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(loop.path())));
}

TEST(SettingsStore, NamesOutsideCp932SurviveTheFile) {
  TempHome home;
  SettingsRecord record = exampleRecord();
  record.target(1).FolderPath = "/srv/Ünïcödé \"quoted\" \\ 〜";
  record.target(3).FolderPath = "/srv/\xff\xfe\n";
  record.target(4).FolderPath = "/srv/表示";
  record.target(4).SerialPrefix = "写真";
  record.target(4).SerialNumber = "0042";
  ASSERT_TRUE(SettingsStore().saveRecord(record).saved);
  EXPECT_EQ(SettingsStore().loadRecord(kScreen).record, record);
}

}  // namespace
}  // namespace tossbox
