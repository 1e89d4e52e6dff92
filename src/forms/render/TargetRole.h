#pragma once
// Which picture a render call draws: renderers that do not decode pictures
// (text, sound, video) lay out and fill each place in their own way.
namespace tossbox {

enum class TargetRole { Preview, Viewer, FileInfo, SameNameSource, SameNameTarget };

}  // namespace tossbox
