// The kind filter's boxes for the newer kinds: captions, counts, and check marks that live in
// their own store value beside an unchanged "r15".
#include <QCheckBox>

#include "ProgramFixture.h"
#include "core/settings/RegistryFile.h"
#include "forms/kindfilter/USyurui.h"
#include "forms/list/UList.h"
#include "platform/settings/SettingsStore.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

std::string storedValue(const std::string& name) {
  const SettingsStore::LoadResult loaded = SettingsStore().load();
  if (!loaded.key) return "(no key)";
  const RegistryValue* value = loaded.key->find(name);
  return value != nullptr ? value->data : "(none)";
}

}  // namespace

TEST_F(ProgramTest, NewerKindBoxesCountTheirFilesAndStoreTheirMarksApart) {
  const fs::path folder = home.makeDir("today");
  for (const char* name : {"a.png", "b.png", "c.webp", "d.tif", "e.tiff", "f.mp4", "g.mkv",
                           "h.webm", "i.mp3", "j.flac", "k.md", "l.csv", "m.log", "n.jpg"})
    touch(folder / name);
  start();
  TFSyurui& filter = program->fSyurui();
  const std::pair<int, const char*> boxes[] = {{12, "PNG"},
                                               {13, "WebP"},
                                               {14, "TIFF"},
                                               {15, "動画 (MP4 ほか)"},
                                               {16, "音声 (MP3 ほか)"},
                                               {17, "ﾃｷｽﾄ (MD/LOG/CSV)"}};
  for (const auto& [kind, caption] : boxes) {
    auto* box = filter.findChild<QCheckBox*>(QStringLiteral("CheckBox%1").arg(kind));
    ASSERT_NE(box, nullptr) << kind;
    EXPECT_EQ(box->text(), QString::fromUtf8(caption));
    EXPECT_TRUE(box->isChecked()) << kind;  // a first start shows every kind
    // Below the older boxes, inside the window, wide enough for its caption.
    EXPECT_GT(box->y(), filter.findChild<QCheckBox*>("CheckBox7")->y());
    EXPECT_TRUE(filter.rect().contains(box->geometry())) << kind;
    EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(box->text()) + 16) << kind;
  }

  main().LoadPaths({folder.string()});
  EXPECT_EQ(program->form2().listBox1().count(), 14);
  const std::pair<int, const char*> counts[] = {{2, "1"},  {12, "2"}, {13, "1"}, {14, "2"},
                                                {15, "3"}, {16, "2"}, {17, "3"}};
  for (const auto& [kind, count] : counts) EXPECT_EQ(filter.countText(kind), count) << kind;

  filter.CheckBox1MouseDown();  // stores the marks as they are
  const std::string r15Before = storedValue("r15");
  ASSERT_EQ(r15Before.size(), 62u);
  EXPECT_EQ(storedValue("rkd"), std::string(6, '\0'));

  filter.setKindChecked(15, false);
  filter.CheckBox1MouseDown();
  EXPECT_EQ(program->form2().listBox1().count(), 11);
  EXPECT_EQ(filter.countText(15), "3");
  EXPECT_EQ(storedValue("r15"), r15Before);
  EXPECT_EQ(storedValue("rkd"), std::string("\0\0\0\x01\0\0", 6));

  stop();
  start();
  EXPECT_FALSE(program->fSyurui().kindChecked(15));
  for (const int kind : {1, 2, 11, 12, 16, 17}) EXPECT_TRUE(program->fSyurui().kindChecked(kind));
}
