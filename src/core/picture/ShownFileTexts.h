#pragma once
// The words the renderers record in ShownFileInfo, in UTF-8.
#include <string_view>

namespace tossbox::shown_text {

inline constexpr std::string_view kJpegBaseline = "JPG ｲﾒｰｼﾞ";
inline constexpr std::string_view kJpegProgressive = "JPEG ｲﾒｰｼﾞ";
inline constexpr std::string_view kColour = "ｶﾗｰ";
inline constexpr std::string_view kGrey = "ｸﾞﾚｰ";
inline constexpr std::string_view kJpeg8Bit = " 8ﾋﾞｯﾄ RGBｶﾗｰ";
inline constexpr std::string_view kJpeg24Bit = "24ﾋﾞｯﾄ RGBｶﾗｰ";
inline constexpr std::string_view kBitmap = "ﾋﾞｯﾄﾏｯﾌﾟｲﾒｰｼﾞ";
inline constexpr std::string_view kIcon = "ｱｲｺﾝﾌｧｲﾙ";
inline constexpr std::string_view kMetafile = "Windowsﾒﾀﾌｧｲﾙ";
inline constexpr std::string_view kPlainText = "ﾃｷｽﾄ ﾌｧｲﾙ";
inline constexpr std::string_view kIniText = "設定 ﾌｧｲﾙ";
inline constexpr std::string_view kWordText = "MS Word ﾌｧｲﾙ";
inline constexpr std::string_view kRichText = "ﾘｯﾁﾃｷｽﾄ ﾌｧｲﾙ";
inline constexpr std::string_view kWave = "ｳｴｰﾌﾞﾌｧｲﾙ";
inline constexpr std::string_view kVideo = "AVIﾌｧｲﾙ";
inline constexpr std::string_view kPng = "PNG ｲﾒｰｼﾞ";
inline constexpr std::string_view kWebP = "WebP ｲﾒｰｼﾞ";
inline constexpr std::string_view kWebPAnimation = "WebP ｱﾆﾒｰｼｮﾝ";
inline constexpr std::string_view kTiff = "TIFF ｲﾒｰｼﾞ";
inline constexpr std::string_view kMovie = "動画ﾌｧｲﾙ";
inline constexpr std::string_view kAudio = "音声ﾌｧｲﾙ";

// The quality every JPEG picture reports: the codec's default setting, not a
// value read from the file.
inline constexpr int kJpegQuality = 90;

}  // namespace tossbox::shown_text
