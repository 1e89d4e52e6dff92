#pragma once
// The plain text of an RTF document, as the lines the text preview shows.
//
// Markup is read and dropped: groups, control words and symbols, the font,
// colour and style tables, the document information, headers and footers,
// field instructions, pictures, objects and every \* destination. Text comes
// from plain bytes and \'hh in the code page of the font in use (\fcharsetN or
// \cpgN, else the document's \ansicpgN), and from \uN with its \ucN fallback
// skipped. \par, \line, \sect and \page end a line; \tab gives a TAB; the cells
// of a table row are joined by TABs and \row ends the line.
//
// The input is treated as hostile: nesting is followed without recursion and
// groups deeper than a fixed limit are skipped; \bin data is skipped by its
// length, a length past the end taking what is left; a file cut short gives
// the lines read so far. Bytes that are not RTF at all ("{\rtf" missing) are
// read as plain lines, the way a text file is.
#include <string>
#include <string_view>
#include <vector>

namespace tossbox {

// The plain lines of an RTF document, each as CP932 bytes (no line
// terminators). A line holding a character CP932 lacks is kept in the settings
// store's lossless form instead (the marker EF BB BF and the line's UTF-8; see
// StoredText.h), so no character is dropped or replaced.
[[nodiscard]] std::vector<std::string> rtfToLines(std::string_view rtf);

// The same lines as UTF-8. Bytes not defined in their code page are U+FFFD.
// (Bytes that are not RTF come back as they are, from both functions.)
[[nodiscard]] std::vector<std::string> rtfToUtf8Lines(std::string_view rtf);

}  // namespace tossbox
