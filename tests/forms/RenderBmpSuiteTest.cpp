// The public BMP suite: every good file shows its reference picture, bad and
// questionable files are refused or shown, never a crash.
#include <QFile>
#include <QRegularExpression>
#include <filesystem>
#include <map>

#include "ConformanceSuite.h"
#include "RenderTestFixture.h"
#include "forms/render/RenderBitmap.h"

using namespace tossbox;
namespace fs = std::filesystem;

namespace {

const fs::path kSuite = conformanceSuite("bmpsuite");

// The suite's page lists each file with the pictures it should look like:
// file name (as "g/pal8.bmp") to the reference images beside the page.
std::map<std::string, std::vector<std::string>> referencesOfThePage() {
  QFile page(QString::fromStdString((kSuite / "html" / "bmpsuite.html").string()));
  std::map<std::string, std::vector<std::string>> references;
  if (!page.open(QIODevice::ReadOnly)) return references;
  const QString html = QString::fromUtf8(page.readAll());
  const QRegularExpression name(QStringLiteral("<td[^>]*>([gqbx]/[^<]+\\.bmp)</td>"));
  const QRegularExpression image(QStringLiteral("<img[^>]*src=\"([^\"]+)\""));
  for (const QString& row : html.split(QStringLiteral("<tr>"))) {
    const auto file = name.match(row);
    if (!file.hasMatch()) continue;
    std::vector<std::string> pictures;
    auto images = image.globalMatch(row);
    while (images.hasNext()) {
      const QString src = images.next().captured(1);
      if (!src.startsWith(QStringLiteral("../"))) pictures.push_back(src.toStdString());
    }
    references[file.captured(1).toStdString()] = pictures;
  }
  return references;
}

// Largest difference of a colour channel over the pixels the reference
// paints opaquely; -1 when the sizes differ.
int largestDifference(const QImage& shown, const QImage& reference) {
  if (shown.size() != reference.size()) return -1;
  const QImage a = shown.convertToFormat(QImage::Format_ARGB32);
  const QImage b = reference.convertToFormat(QImage::Format_ARGB32);
  int worst = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      if (qAlpha(q) != 255) continue;
      worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                        std::abs(qBlue(p) - qBlue(q))});
    }
  }
  return worst;
}

int largestAlphaDifference(const QImage& shown, const QImage& reference) {
  if (shown.size() != reference.size()) return -1;
  const QImage a = shown.convertToFormat(QImage::Format_ARGB32);
  const QImage b = reference.convertToFormat(QImage::Format_ARGB32);
  int worst = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      worst = std::max(worst, std::abs(qAlpha(a.pixel(x, y)) - qAlpha(b.pixel(x, y))));
    }
  }
  return worst;
}

std::vector<fs::path> bmpFiles(const std::string& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kSuite / folder)) {
    if (entry.path().extension() == ".bmp") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

TEST_F(RenderTest, BmpSuiteGoodFilesMatchTheirReferences) {
  if (!suitePresent({kSuite / "g", kSuite / "html" / "bmpsuite.html"})) return;
  const auto references = referencesOfThePage();
  const auto files = bmpFiles("g");
  ASSERT_FALSE(files.empty());
  for (const fs::path& path : files) {
    const std::string key = "g/" + path.filename().string();
    SCOPED_TRACE(key);
    const auto found = references.find(key);
    ASSERT_NE(found, references.end());
    ASSERT_FALSE(found->second.empty());
    preview_->clearPicture();
    ASSERT_TRUE(RenderBitmap(services_, previewArgs(path.string())));
    const QImage shown = preview_->picture().image();
    // Some files have more than one acceptable look; one must match.
    int best = -1;
    for (const std::string& reference : found->second) {
      const QImage expected(QString::fromStdString((kSuite / "html" / reference).string()));
      ASSERT_FALSE(expected.isNull()) << reference;
      const int difference = largestDifference(shown, expected);
      if (difference >= 0 && (best < 0 || difference < best)) best = difference;
    }
    EXPECT_GE(best, 0) << "no reference of the shown size " << shown.width() << "x"
                       << shown.height();
    EXPECT_LE(best, 0);
    EXPECT_EQ(shown_.width, shown.width());
    EXPECT_EQ(shown_.fileSize, static_cast<std::int64_t>(fs::file_size(path)));
  }
}

TEST_F(RenderTest, BmpSuiteBadAndQuestionableFilesNeverCrash) {
  if (!suitePresent({kSuite / "b", kSuite / "q"})) return;
  for (const std::string folder : {"b", "q", "x"}) {
    int shownCount = 0;
    int refused = 0;
    std::string refusedNames;
    for (const fs::path& path : bmpFiles(folder)) {
      SCOPED_TRACE(path.string());
      preview_->clearPicture();
      const ShownFileInfo before = shown_;
      if (RenderBitmap(services_, previewArgs(path.string()))) {
        ++shownCount;
        const QImage shown = preview_->picture().image();
        ASSERT_FALSE(shown.isNull());
        EXPECT_EQ(shown_.width, shown.width());
        EXPECT_EQ(shown_.height, shown.height());
      } else {
        ++refused;
        refusedNames += " " + path.filename().string();
        EXPECT_TRUE(preview_->picture().isNull());
        EXPECT_EQ(shown_.fileSize, before.fileSize);
      }
    }
    std::printf("bmpsuite %s/: %d shown, %d refused:%s\n", folder.c_str(), shownCount, refused,
                refusedNames.c_str());
    EXPECT_GT(shownCount + refused, 0);
  }
}

TEST_F(RenderTest, BmpSuiteUnusualMasksAndHeadersMatchTheirReferences) {
  if (!suitePresent({kSuite / "q", kSuite / "html" / "bmpsuite.html"})) return;
  const auto references = referencesOfThePage();
  for (const std::string name : {"pal8os2v2-16", "rgb16-3103", "rgb32-7187", "rgb32h52",
                                 "rgba16-1924", "rgba16-4444", "rgba16-5551", "rgba32-1010102",
                                 "rgba32-61754", "rgba32-81284", "rgba32abf", "rgba32h56"}) {
    const std::string key = "q/" + name + ".bmp";
    SCOPED_TRACE(key);
    const auto found = references.find(key);
    ASSERT_NE(found, references.end());
    ASSERT_EQ(found->second.size(), 1u);
    preview_->clearPicture();
    ASSERT_TRUE(RenderBitmap(services_, previewArgs((kSuite / key).string())));
    const QImage shown = preview_->picture().image();
    const QImage expected(QString::fromStdString((kSuite / "html" / found->second[0]).string()));
    EXPECT_EQ(largestDifference(shown, expected), 0);
    EXPECT_EQ(largestAlphaDifference(shown, expected), 0);
  }
}
