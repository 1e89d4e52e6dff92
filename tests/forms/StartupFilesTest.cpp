// What the program finds on disk at its start: a FIFO where the store or a file should be,
// the leftovers of a run that was killed, and the JPEG retry's private copy.
#include <QToolButton>
#include <filesystem>

#include "../core/picture/PictureFixtures.h"
#include "ProgramFixture.h"
#include "WaitingFifo.h"
#include "core/files/PathRules.h"
#include "core/settings/SettingsRecord.h"
#include "core/sorting/FileTransfer.h"
#include "forms/picture/PictureControl.h"
#include "platform/settings/SettingsStore.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

// The JPEG retry copies under the runtime folder, one per private folder.
std::vector<fs::path> retryCopies(const fs::path& runtime) {
  std::vector<fs::path> copies;
  for (const auto& entry : fs::directory_iterator(runtime)) {
    if (entry.path().filename().string().starts_with("tossbox-") &&
        fs::exists(entry.path() / "ppp.jpg"))
      copies.push_back(entry.path() / "ppp.jpg");
  }
  return copies;
}

}  // namespace

TEST_F(ProgramTest, AFifoInPlaceOfTheStoreIsKeptAsideAndReported) {
  fs::create_directories(storeFile().parent_path());
  WaitingFifo fifo(storeFile().string());
  start();
  fifo.stop();
  EXPECT_FALSE(fifo.rescued());
  EXPECT_TRUE(main().isVisible());
  EXPECT_TRUE(fs::is_fifo(storeFile().string() + ".bad"));
  ASSERT_EQ(boxes.shown().size(), 1u);
  EXPECT_TRUE(boxes.shown().front().text.contains("通常のファイルではありません"));
  EXPECT_TRUE(boxes.shown().front().text.contains("Software-stv.reg.bad"));
  EXPECT_EQ(main().height(), 324);
  program->settingsBinding().SaveSettings();
  EXPECT_TRUE(fs::is_regular_file(storeFile()));
}

// Whatever renderer its name picks, and every one the fallback then tries.
TEST_F(ProgramTest, AFifoGivenAsAFileShowsNothingAndNeverWaits) {
  for (const char* name :
       {"pipe.jpg", "pipe.gif", "pipe.bmp", "pipe.ico", "pipe.wmf", "pipe.wav", "pipe.avi"}) {
    WaitingFifo fifo((home.root() / name).string());
    start({fifo.path()});
    fifo.stop();
    EXPECT_FALSE(fifo.rescued()) << name;
    EXPECT_TRUE(main().isVisible()) << name;
    EXPECT_TRUE(main().image1().picture().isNull()) << name;
    EXPECT_EQ(program->state().files.currentFile(), fifo.path());
  }
}

TEST_F(ProgramTest, LeftoversOfAKilledRunAreRemovedAtStart) {
  const fs::path first = home.makeDir("sorted out");
  const fs::path third = home.makeDir("third folder");
  SettingsRecord record = defaultSettingsRecord(ScreenGeometry{1024, 768, 219, 324});
  record.target(1).FolderPath = first.string();
  record.target(3).FolderPath = third.string();
  ASSERT_TRUE(SettingsStore(storeFile()).saveRecord(record).saved);

  // Partial copies under the careful copy's own names.
  std::vector<std::string> partial(2);
  std::error_code error;
  for (int n = 0; n < 2; ++n) {
    const UniqueFd fd =
        createHiddenFile((n == 0 ? first : third).string(), 0600, partial[n], error);
    ASSERT_TRUE(fd.valid()) << error.message();
    EXPECT_TRUE(isHiddenCopyName(LastPathPart(partial[n])));
  }
  touch(first / ".tossbox-notes.txt", "the user's own");
  touch(first / "photo.jpg", "kept");
  const fs::path halfSaved = storeFile().string() + ".tmp.Ab12Cd";
  touch(halfSaved, "half a store");

  start();
  EXPECT_FALSE(fs::exists(partial[0]));
  EXPECT_FALSE(fs::exists(partial[1]));
  EXPECT_FALSE(fs::exists(halfSaved));
  EXPECT_TRUE(fs::exists(first / ".tossbox-notes.txt"));
  EXPECT_TRUE(fs::exists(first / "photo.jpg"));
  EXPECT_TRUE(fs::exists(storeFile()));
  EXPECT_EQ(main().folderButton(1).text(), "sorted out");
}

TEST_F(ProgramTest, TheJpegRetryCopiesIntoAPrivateFolderRemovedAtExit) {
  fixtures::ByteVector broken{0xFF, 0xD8, 0xFF, 0xE0, 0x00};
  broken.resize(300, 0x55);
  const std::string path = (home.makeDir("shots") / "broken.jpg").string();
  fixtures::writeFile(path, broken);
  start({path});
  const std::vector<fs::path> copies = retryCopies(home.runtimeDir());
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(fs::file_size(copies[0]), broken.size());
  stop();
  EXPECT_FALSE(fs::exists(copies[0].parent_path()));
}
