#pragma once
// The folder tree: the folder namespace (desktop, computer with its volumes, home, real
// folders) as a tree whose nodes are read lazily. A node's children are read the first time it
// is opened and never again until the tree is cleared and reloaded, so the tree shows each
// folder as it was when it was first opened. A node that cannot be bound any more (its folder
// is gone or unreadable) refuses to open.
//
// Paths are byte strings exactly as the file system gave them; only the node captions are
// text.
#include <QTreeWidget>
#include <string>

#include "core/shellns/ShellNamespace.h"
#include "forms/tree/FolderIcons.h"

namespace tossbox {

class KtTreeNode;
class TItemIDs;

class TKtTreeView : public QTreeWidget {
  Q_OBJECT
 public:
  // The current user's namespace.
  explicit TKtTreeView(QWidget* parent = nullptr);
  explicit TKtTreeView(ShellNamespace shellNamespace, QWidget* parent = nullptr);

  // Adds the desktop root with its first level, and opens the root one level. Does not clear
  // the tree first: callers clear it.
  void ReloadTree();

  // The path of the selected node; empty when nothing is selected or the node has no path (the
  // computer).
  [[nodiscard]] std::string SelectedPath() const;
  // Whether SelectedPath names a folder that exists now.
  [[nodiscard]] bool SelectedIsExistingFolder() const;
  // The path of `node` (empty as for SelectedPath) and its item IDs (null for a foreign item).
  [[nodiscard]] std::string PathOf(const QTreeWidgetItem* node) const;
  [[nodiscard]] static const TItemIDs* ItemIDsOf(const QTreeWidgetItem* node);

  [[nodiscard]] const ShellNamespace& Namespace() const { return shellNamespace_; }

 signals:
  // The selected node changed to `node`. Not sent when the selection is lost by clearing the
  // tree, so whatever was shown for the last selection stays until the user chooses again.
  void Change(QTreeWidgetItem* node);

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Run when a node opens; fills it on its first opening. False when it may not open.
  [[nodiscard]] bool CanExpand(KtTreeNode& node);
  void FillChildren(KtTreeNode& node, const BoundFolder& folder);
  void NodeExpanded(QTreeWidgetItem* item);
  void SelectionChanged();

  ShellNamespace shellNamespace_;
  FolderIcons icons_;
  bool loaded_ = false;
};

}  // namespace tossbox
