#include "core/text/RtfText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>

#include "core/text/CodePageDecoder.h"
#include "core/text/RtfLexer.h"
#include "core/text/StoredText.h"

namespace tossbox {
namespace {

// Deeper groups than this are skipped whole; real documents stay far below.
constexpr std::size_t kMaxGroupDepth = 1024;
constexpr char32_t kReplacementCharacter = 0xFFFD;

enum class Destination {
  Text,       // visible text
  FontTable,  // font numbers and their character sets
  Skipped,    // read for its braces only
};

enum class WordAction {
  LineEnd,
  Tab,
  CellEnd,
  RowEnd,
  Character,
  SkipGroup,
  FontTable,
  Font,
  Plain,
  Unicode,
  UnicodeSkip,
  DefaultFont,
  DocumentCodePage,  // \ansicpgN
  AnsiDocument,
  MacDocument,
  PcDocument,
  PcaDocument,
  FontCharset,
  FontCodePage,
};

struct ControlWord {
  std::string_view name;
  WordAction action;
  char32_t character = 0;
};

// Sorted by name for the binary search below.
constexpr std::array kControlWords = {
    ControlWord{"annotation", WordAction::SkipGroup},
    ControlWord{"ansi", WordAction::AnsiDocument},
    ControlWord{"ansicpg", WordAction::DocumentCodePage},
    ControlWord{"atnauthor", WordAction::SkipGroup},
    ControlWord{"atndate", WordAction::SkipGroup},
    ControlWord{"atnid", WordAction::SkipGroup},
    ControlWord{"author", WordAction::SkipGroup},
    ControlWord{"bullet", WordAction::Character, 0x2022},
    ControlWord{"buptim", WordAction::SkipGroup},
    ControlWord{"category", WordAction::SkipGroup},
    ControlWord{"cell", WordAction::CellEnd},
    ControlWord{"colortbl", WordAction::SkipGroup},
    ControlWord{"comment", WordAction::SkipGroup},
    ControlWord{"company", WordAction::SkipGroup},
    ControlWord{"cpg", WordAction::FontCodePage},
    ControlWord{"creatim", WordAction::SkipGroup},
    ControlWord{"deff", WordAction::DefaultFont},
    ControlWord{"doccomm", WordAction::SkipGroup},
    ControlWord{"emdash", WordAction::Character, 0x2014},
    ControlWord{"emspace", WordAction::Character, 0x2003},
    ControlWord{"endash", WordAction::Character, 0x2013},
    ControlWord{"enspace", WordAction::Character, 0x2002},
    ControlWord{"f", WordAction::Font},
    ControlWord{"fcharset", WordAction::FontCharset},
    ControlWord{"filetbl", WordAction::SkipGroup},
    ControlWord{"fldinst", WordAction::SkipGroup},
    ControlWord{"fonttbl", WordAction::FontTable},
    ControlWord{"footer", WordAction::SkipGroup},
    ControlWord{"footerf", WordAction::SkipGroup},
    ControlWord{"footerl", WordAction::SkipGroup},
    ControlWord{"footerr", WordAction::SkipGroup},
    ControlWord{"footnote", WordAction::SkipGroup},
    ControlWord{"generator", WordAction::SkipGroup},
    ControlWord{"header", WordAction::SkipGroup},
    ControlWord{"headerf", WordAction::SkipGroup},
    ControlWord{"headerl", WordAction::SkipGroup},
    ControlWord{"headerr", WordAction::SkipGroup},
    ControlWord{"info", WordAction::SkipGroup},
    ControlWord{"keywords", WordAction::SkipGroup},
    ControlWord{"ldblquote", WordAction::Character, 0x201C},
    ControlWord{"line", WordAction::LineEnd},
    ControlWord{"listoverridetable", WordAction::SkipGroup},
    ControlWord{"listtable", WordAction::SkipGroup},
    ControlWord{"lquote", WordAction::Character, 0x2018},
    ControlWord{"mac", WordAction::MacDocument},
    ControlWord{"nestcell", WordAction::CellEnd},
    ControlWord{"nestrow", WordAction::RowEnd},
    ControlWord{"nonesttables", WordAction::SkipGroup},
    ControlWord{"nonshppict", WordAction::SkipGroup},
    ControlWord{"object", WordAction::SkipGroup},
    ControlWord{"operator", WordAction::SkipGroup},
    ControlWord{"page", WordAction::LineEnd},
    ControlWord{"par", WordAction::LineEnd},
    ControlWord{"pc", WordAction::PcDocument},
    ControlWord{"pca", WordAction::PcaDocument},
    ControlWord{"pict", WordAction::SkipGroup},
    ControlWord{"plain", WordAction::Plain},
    ControlWord{"pn", WordAction::SkipGroup},
    ControlWord{"printim", WordAction::SkipGroup},
    ControlWord{"private", WordAction::SkipGroup},
    ControlWord{"qmspace", WordAction::Character, 0x2005},
    ControlWord{"rdblquote", WordAction::Character, 0x201D},
    ControlWord{"revtbl", WordAction::SkipGroup},
    ControlWord{"revtim", WordAction::SkipGroup},
    ControlWord{"row", WordAction::RowEnd},
    ControlWord{"rquote", WordAction::Character, 0x2019},
    ControlWord{"rsidtbl", WordAction::SkipGroup},
    ControlWord{"sect", WordAction::LineEnd},
    ControlWord{"stylesheet", WordAction::SkipGroup},
    ControlWord{"subject", WordAction::SkipGroup},
    ControlWord{"tab", WordAction::Tab},
    ControlWord{"tc", WordAction::SkipGroup},
    ControlWord{"title", WordAction::SkipGroup},
    ControlWord{"txe", WordAction::SkipGroup},
    ControlWord{"u", WordAction::Unicode},
    ControlWord{"uc", WordAction::UnicodeSkip},
    ControlWord{"xe", WordAction::SkipGroup},
};
static_assert(std::ranges::is_sorted(kControlWords, {}, &ControlWord::name));

const ControlWord* findControlWord(std::string_view name) {
  const auto found = std::ranges::lower_bound(kControlWords, name, {}, &ControlWord::name);
  if (found == kControlWords.end() || found->name != name) return nullptr;
  return &*found;
}

void appendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool isHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// \uN is a signed 16-bit number: negative values stand for N + 65536.
char32_t unicodeOfParameter(std::int32_t parameter) {
  const std::int64_t value = parameter < 0 ? std::int64_t{parameter} + 65536 : parameter;
  if (value < 0 || value > 0x10FFFF) return kReplacementCharacter;
  return static_cast<char32_t>(value);
}

bool isDoubleByteCodePage(int codePage) {
  return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 ||
         codePage == 1361;
}

bool startsAsRtf(std::string_view bytes) {
  return bytes.starts_with("{\\rtf");
}

// A file that is not RTF is shown the way a text file is: lines split at CR,
// LF or CR LF, up to the first zero byte.
std::vector<std::string> plainLines(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = std::min(bytes.find_first_of("\r\n", start), bytes.size());
    lines.emplace_back(bytes.substr(start, end - start));
    start = end;
    if (start < bytes.size() && bytes[start] == '\r') ++start;
    if (start < bytes.size() && bytes[start] == '\n') ++start;
  }
  return lines;
}

struct GroupState {
  Destination destination = Destination::Text;
  int font = -1;  // -1: the document's default font
  int unicodeSkip = 1;
};

class RtfReader {
 public:
  explicit RtfReader(std::string_view rtf) : lexer_(rtf) {}

  std::vector<std::string> read();

 private:
  void openGroup();
  void closeGroup();
  void controlWord(const RtfToken& token);
  void fontTableWord(const ControlWord& word, const RtfToken& token);
  void controlSymbol(char symbol);
  void text(std::string_view bytes);
  bool skipFallback();

  void appendByte(std::uint8_t byte);
  void appendCharacter(char32_t c);
  void endLine();
  void endRow();
  void flushBytes();
  void settleSurrogate();

  [[nodiscard]] GroupState& group() { return groups_.back(); }
  [[nodiscard]] int codePageInUse();

  RtfLexer lexer_;
  CodePageDecoder decoder_;
  std::vector<GroupState> groups_;
  std::size_t groupsTooDeep_ = 0;

  int documentCodePage_ = kDefaultCodePage;
  int defaultFont_ = -1;
  int fontBeingDefined_ = -1;
  std::map<int, int> fontCodePages_;

  int fallbackLeft_ = 0;  // characters still to skip after \uN
  std::string pendingBytes_;
  int pendingCodePage_ = kDefaultCodePage;
  char32_t highSurrogate_ = 0;
  std::size_t lastCellEnd_ = std::string::npos;  // where the last cell separator stands in line_

  std::string line_;
  std::vector<std::string> lines_;
};

std::vector<std::string> RtfReader::read() {
  for (RtfToken token = lexer_.next(); token.kind != RtfTokenKind::End; token = lexer_.next()) {
    if (token.kind == RtfTokenKind::GroupStart) {
      openGroup();
      continue;
    }
    if (token.kind == RtfTokenKind::GroupEnd) {
      closeGroup();
      if (groups_.empty()) break;  // the document's own group is closed; the rest is not RTF
      continue;
    }
    if (groups_.empty() || groupsTooDeep_ > 0) continue;
    if (group().destination == Destination::Skipped) continue;
    if (token.kind == RtfTokenKind::Text) {
      text(token.text);
      continue;
    }
    if (skipFallback()) continue;
    switch (token.kind) {
      case RtfTokenKind::ControlWord:
        controlWord(token);
        break;
      case RtfTokenKind::ControlSymbol:
        controlSymbol(token.symbol);
        break;
      case RtfTokenKind::HexByte:
        if (group().destination == Destination::Text) appendByte(token.byte);
        break;
      default:
        break;
    }
  }
  flushBytes();
  settleSurrogate();
  // The mark after the last paragraph ends the document rather than starting
  // an empty line.
  if (!line_.empty()) lines_.push_back(std::move(line_));
  return std::move(lines_);
}

void RtfReader::openGroup() {
  fallbackLeft_ = 0;
  if (groupsTooDeep_ > 0 || groups_.size() >= kMaxGroupDepth) {
    ++groupsTooDeep_;
    return;
  }
  groups_.push_back(groups_.empty() ? GroupState{} : group());
}

void RtfReader::closeGroup() {
  fallbackLeft_ = 0;
  if (groupsTooDeep_ > 0) {
    --groupsTooDeep_;
    return;
  }
  if (!groups_.empty()) groups_.pop_back();
}

// Consumes one token of the plain-text fallback that follows \uN, if any is due.
bool RtfReader::skipFallback() {
  if (fallbackLeft_ == 0) return false;
  --fallbackLeft_;
  return true;
}

void RtfReader::text(std::string_view bytes) {
  const auto skipped = std::min(bytes.size(), static_cast<std::size_t>(fallbackLeft_));
  fallbackLeft_ -= static_cast<int>(skipped);
  bytes.remove_prefix(skipped);
  if (group().destination != Destination::Text) return;
  for (const char c : bytes) appendByte(static_cast<std::uint8_t>(c));
}

void RtfReader::controlWord(const RtfToken& token) {
  const ControlWord* word = findControlWord(token.text);
  if (word == nullptr) return;
  if (group().destination == Destination::FontTable) {
    fontTableWord(*word, token);
    return;
  }
  const std::int32_t parameter = token.parameter;
  switch (word->action) {
    case WordAction::LineEnd:
      endLine();
      break;
    case WordAction::Tab:
      appendCharacter('\t');
      break;
    case WordAction::CellEnd:
      appendCharacter('\t');
      lastCellEnd_ = line_.size() - 1;
      break;
    case WordAction::RowEnd:
      endRow();
      break;
    case WordAction::Character:
      appendCharacter(word->character);
      break;
    case WordAction::SkipGroup:
      group().destination = Destination::Skipped;
      break;
    case WordAction::FontTable:
      group().destination = Destination::FontTable;
      break;
    case WordAction::Font:
      group().font = parameter;
      break;
    case WordAction::Plain:
      group().font = -1;
      break;
    case WordAction::Unicode:
      appendCharacter(unicodeOfParameter(parameter));
      fallbackLeft_ = group().unicodeSkip;
      break;
    case WordAction::UnicodeSkip:
      group().unicodeSkip = std::max(0, parameter);
      break;
    case WordAction::DefaultFont:
      defaultFont_ = parameter;
      break;
    case WordAction::DocumentCodePage:
      documentCodePage_ = parameter > 0 ? parameter : kDefaultCodePage;
      break;
    case WordAction::AnsiDocument:
      documentCodePage_ = kDefaultCodePage;
      break;
    case WordAction::MacDocument:
      documentCodePage_ = 10000;
      break;
    case WordAction::PcDocument:
      documentCodePage_ = 437;
      break;
    case WordAction::PcaDocument:
      documentCodePage_ = 850;
      break;
    case WordAction::FontCharset:
    case WordAction::FontCodePage:
      break;
  }
}

void RtfReader::fontTableWord(const ControlWord& word, const RtfToken& token) {
  switch (word.action) {
    case WordAction::Font:
      fontBeingDefined_ = token.parameter;
      fontCodePages_[fontBeingDefined_] = kDocumentCodePage;
      break;
    case WordAction::FontCharset:
      if (fontBeingDefined_ >= 0) {
        fontCodePages_[fontBeingDefined_] = codePageOfCharset(token.parameter);
      }
      break;
    case WordAction::FontCodePage:
      if (fontBeingDefined_ >= 0 && token.parameter > 0) {
        fontCodePages_[fontBeingDefined_] = token.parameter;
      }
      break;
    case WordAction::SkipGroup:
      group().destination = Destination::Skipped;
      break;
    default:
      break;
  }
}

void RtfReader::controlSymbol(char symbol) {
  if (symbol == '*') {
    group().destination = Destination::Skipped;
    return;
  }
  if (group().destination != Destination::Text) return;
  switch (symbol) {
    case '\\':
    case '{':
    case '}':
      appendByte(static_cast<std::uint8_t>(symbol));
      break;
    case '~':
      appendCharacter(0x00A0);
      break;
    case '-':
      appendCharacter(0x00AD);
      break;
    case '_':
      appendCharacter(0x2011);
      break;
    case '\t':
      appendCharacter('\t');
      break;
    default:
      break;  // \: and \| leave no text
  }
}

int RtfReader::codePageInUse() {
  const int font = group().font >= 0 ? group().font : defaultFont_;
  const auto found = fontCodePages_.find(font);
  if (found == fontCodePages_.end() || found->second == kDocumentCodePage) {
    return documentCodePage_;
  }
  // East Asian word processors write their double-byte text under a Western
  // font and name the real font only as an associated one (\dbch\afN); in
  // such a document the bytes of a Western font are the document's own.
  if (found->second == kDefaultCodePage && isDoubleByteCodePage(documentCodePage_)) {
    return documentCodePage_;
  }
  return found->second;
}

void RtfReader::appendByte(std::uint8_t byte) {
  // Control bytes are not text; a TAB is kept.
  if (byte < 0x20 && byte != '\t') return;
  settleSurrogate();
  const int codePage = codePageInUse();
  if (!pendingBytes_.empty() && codePage != pendingCodePage_) flushBytes();
  pendingCodePage_ = codePage;
  pendingBytes_ += static_cast<char>(byte);
}

void RtfReader::appendCharacter(char32_t c) {
  flushBytes();
  if (isLowSurrogate(c) && highSurrogate_ != 0) {
    appendUtf8(0x10000 + ((highSurrogate_ - 0xD800) << 10) + (c - 0xDC00), line_);
    highSurrogate_ = 0;
    return;
  }
  settleSurrogate();
  if (isHighSurrogate(c)) {
    highSurrogate_ = c;
    return;
  }
  if (isLowSurrogate(c)) c = kReplacementCharacter;
  if (c == '\r' || c == '\n') {
    endLine();
    return;
  }
  if (c < 0x20 && c != '\t') return;
  appendUtf8(c, line_);
}

void RtfReader::endLine() {
  flushBytes();
  settleSurrogate();
  lastCellEnd_ = std::string::npos;
  lines_.push_back(std::move(line_));
  line_.clear();
}

// The separator after a row's last cell has no cell to separate; only blanks
// (row properties written between the last cell and the row mark) follow it.
void RtfReader::endRow() {
  flushBytes();
  settleSurrogate();
  if (lastCellEnd_ < line_.size() &&
      line_.find_first_not_of(" \t", lastCellEnd_) == std::string::npos) {
    line_.erase(lastCellEnd_);
  }
  endLine();
}

void RtfReader::flushBytes() {
  if (pendingBytes_.empty()) return;
  std::string decoded;
  decoder_.decode(pendingCodePage_, pendingBytes_, decoded);
  pendingBytes_.clear();
  // A code page that is not ASCII below 0x80 (EBCDIC ones, say) can turn text bytes into
  // control characters, a line feed among them; like control bytes they are not text.
  for (const char c : decoded) {
    if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') line_ += c;
  }
}

// A high surrogate not followed by its low half is not a character.
void RtfReader::settleSurrogate() {
  if (highSurrogate_ == 0) return;
  highSurrogate_ = 0;
  appendUtf8(kReplacementCharacter, line_);
}

}  // namespace

std::vector<std::string> rtfToUtf8Lines(std::string_view rtf) {
  if (!startsAsRtf(rtf)) return plainLines(rtf);
  return RtfReader(rtf).read();
}

std::vector<std::string> rtfToLines(std::string_view rtf) {
  if (!startsAsRtf(rtf)) return plainLines(rtf);
  std::vector<std::string> lines = RtfReader(rtf).read();
  for (std::string& line : lines) line = encodeStoredText(line);
  return lines;
}

}  // namespace tossbox
