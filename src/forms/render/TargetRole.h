#pragma once
// Which window's picture a renderer draws into.
namespace tossbox {

enum class TargetRole { Preview, Viewer, FileInfo, SameNameSource, SameNameTarget };

}  // namespace tossbox
