// Runs the public RTF documents with the plain text their source expects. The
// words and their order must match line by line; the expected texts join table
// cells with "|" and we with TABs, so cell separators and runs of blanks are
// not compared, and blank lines are not counted.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>

#include "ConformanceSuite.h"
#include "core/text/RtfText.h"

namespace tossbox {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const fs::path kSuite = conformanceSuite("rtf");

// Documents whose expected text differs on purpose from the lines the preview shows.
const std::map<std::string, std::string> kDifferences = {
    {"hyperlink", "the expected text adds each link's address after its text"},
    {"hyperlinks", "the expected text adds each link's address after its text"},
    {"mac_textedit_hyperlink", "the expected text adds each link's address after its text"},
    {"encoding",
     "the file holds a second document after the first one closes; the expected text "
     "includes it, we stop where the document ends"},
};

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Lines splitLines(std::string_view text) {
  Lines lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Each line with cell separators and blanks reduced to single spaces; lines left
// empty are dropped.
Lines comparable(const Lines& lines) {
  Lines result;
  for (const std::string& line : lines) {
    std::string words;
    bool blank = false;
    for (const char c : line) {
      if (c == ' ' || c == '\t' || c == '|' || c == '\r') {
        blank = true;
        continue;
      }
      if (blank && !words.empty()) words += ' ';
      blank = false;
      words += c;
    }
    if (!words.empty()) result.push_back(std::move(words));
  }
  return result;
}

TEST(RtfSuite, DocumentsGiveTheirExpectedLines) {
  if (!suitePresent({kSuite / "rtf", kSuite / "text"})) return;
  int documents = 0;
  int matching = 0;
  for (const auto& entry : fs::directory_iterator(kSuite / "rtf")) {
    const std::string name = entry.path().stem().string();
    const fs::path expectedPath = kSuite / "text" / (name + ".txt");
    if (!fs::exists(expectedPath)) continue;
    SCOPED_TRACE(name);
    ++documents;
    const Lines ours = comparable(rtfToUtf8Lines(readFile(entry.path())));
    const Lines expected = comparable(splitLines(readFile(expectedPath)));
    const auto difference = kDifferences.find(name);
    if (difference != kDifferences.end()) {
      std::cout << "  differs on purpose: " << name << ": " << difference->second << "\n";
      EXPECT_NE(ours, expected) << "matches now; take it off the list";
      continue;
    }
    EXPECT_EQ(ours, expected);
    if (ours == expected) ++matching;
  }
  std::cout << "  " << matching << " of " << documents << " documents match\n";
  EXPECT_GE(documents, 30);
  EXPECT_EQ(matching + static_cast<int>(kDifferences.size()), documents);
}

}  // namespace
}  // namespace tossbox
