// settingsdump FILE: prints the settings held in a store file, decoded, for
// looking into a user's settings without starting the program.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "core/settings/RegistryFile.h"
#include "core/settings/SettingsCodec.h"
#include "core/text/AnsiText.h"

namespace {

using namespace tossbox;

std::string hexByte(unsigned char byte) {
  static constexpr char kDigits[] = "0123456789abcdef";
  return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

// The text with control bytes, quotes, backslashes and (when the text is not
// UTF-8) every non-ASCII byte shown as \xNN.
std::string printable(const std::string& text) {
  const bool utf8 = isValidUtf8(text);
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    const bool plain = byte >= 0x20 && c != '\\' && c != '"' && (utf8 || byte < 0x7f);
    out += plain ? std::string(1, c) : "\\x" + hexByte(byte);
  }
  return out;
}

std::string describe(const std::string& text) {
  std::string line = "\"" + printable(text) + "\"";
  if (!text.empty() && !utf8ToCp932(text)) line += "  (not CP932: kept as marked raw bytes)";
  return line;
}

// One "name  value" line with the names in one column.
template <typename T>
void line(std::string_view name, const T& value) {
  std::cout << name << std::string(name.size() < 20 ? 20 - name.size() : 1, ' ') << value << '\n';
}

void printRecord(const SettingsRecord& r) {
  std::string reserved;
  for (const auto b : r.Reserved) reserved += hexByte(b) + ' ';
  line("Reserved", reserved);
  line("MainTop", r.MainTop);
  line("MainLeft", r.MainLeft);
  line("MainHeight", r.MainHeight);
  line("ListDblClickAction", int{r.ListDblClickAction});
  line("ListSortAscending", int{r.ListSortAscending});
  std::string kinds;
  for (const auto k : r.KindEnabled) kinds += std::to_string(k) + ' ';
  line("KindEnabled", kinds + "(BMP JPG GIF ICO WMF WAV AVI TXT DOC RTF INI)");
  std::string hidden;
  for (const auto k : r.NewerKindHidden) hidden += std::to_string(k) + ' ';
  line("NewerKindHidden", hidden + "(PNG WebP TIFF video sound text; 1 hides)");
  line("ViewerDblClickMode", int{r.ViewerDblClickMode});
  line("ViewerFullScreen", int{r.ViewerFullScreen});
  line("ViewerAlwaysCentre", int{r.ViewerAlwaysCentre});
  for (int n = 1; n <= kFolderButtonCount; ++n) {
    const FolderTarget& t = r.target(n);
    std::cout << "button " << n << '\n';
    line("  FolderPath", describe(t.FolderPath));
    line("  MoveOnPress", int{t.MoveOnPress});
    line("  SerialRename", int{t.SerialRename});
    line("  SerialPrefix", describe(t.SerialPrefix));
    line("  SerialNumber", describe(t.SerialNumber));
    line("  SameNamePolicy", int{t.SameNamePolicy});
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: settingsdump FILE\n"
                 "  FILE is usually $XDG_CONFIG_HOME/stv/Software-stv.reg "
                 "(~/.config/stv/Software-stv.reg)\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << argv[1] << ": cannot be opened\n";
    return 1;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const RegistryParseResult parsed = parseRegistryFile(bytes.str());
  if (!parsed.document) {
    std::cerr << argv[1] << ":" << parsed.errorLine << ": " << parsed.error << '\n';
    return 1;
  }
  const RegistryKey* key = parsed.document->findKey(kSettingsKeyPath);
  if (key == nullptr) {
    std::cout << "no key " << kSettingsKeyPath << ": the program starts with its defaults\n";
    return 0;
  }
  for (const NamedValue& v : key->values()) {
    const char* type = v.value.type == RegistryType::String   ? "string"
                       : v.value.type == RegistryType::Binary ? "binary"
                                                              : "other";
    std::cout << "value \"" << printable(v.name) << "\": " << type << ", " << v.value.data.size()
              << " bytes\n";
  }
  SettingsRecord record;
  const auto error = decodeSettings(*key, record);
  printRecord(record);
  if (error) {
    std::cout << "error: " << error->message << '\n';
    return 3;
  }
  return 0;
}
