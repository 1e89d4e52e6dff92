#pragma once
// The error that ends loading a GIF, and the texts of the reader's errors and warnings.
#include <stdexcept>
#include <string>
#include <string_view>

namespace tossbox {

namespace gif_text {
inline constexpr std::string_view kPrematureEnd = "Premature end of data";
inline constexpr std::string_view kInvalidSignature = "Invalid GIF signature";
inline constexpr std::string_view kUnknownBlockType = "Unknown GIF block type";
inline constexpr std::string_view kInvalidIntroducer = "Invalid extension introducer";
inline constexpr std::string_view kUnknownExtension = "Unknown extension type";
inline constexpr std::string_view kExtensionMismatch =
    "Internal error: Extension Instance does not match Extension Label";
inline constexpr std::string_view kUnsupportedAppBlockSize =
    "Unsupported Application Extension block size";
inline constexpr std::string_view kInvalidData = "Invalid GIF data";
inline constexpr std::string_view kExceedsScreen = "Image exceeds Logical Screen size";
inline constexpr std::string_view kUnderRun = "Decoder bit buffer under-run";
inline constexpr std::string_view kInvalidTrailer = "Invalid Image trailer";
// Our own limit: a file may not make us hold more pixels than the budget allows.
inline constexpr std::string_view kPixelBudget = "Image exceeds pixel budget";

inline constexpr std::string_view kLoading = "Loading...";
inline constexpr std::string_view kCopying = "Copying...";
inline constexpr std::string_view kRendering = "Rendering...";
}  // namespace gif_text

// Raised by the GIF reader when a file cannot be read; what() is one of the texts above.
class GIFException : public std::runtime_error {
 public:
  explicit GIFException(std::string_view message) : std::runtime_error(std::string(message)) {}
};

}  // namespace tossbox
