#include "forms/tree/KtTreeView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <memory>

#include "core/shellns/FolderHandle.h"
#include "forms/tree/KtTreeNode.h"

namespace tossbox {

namespace {

constexpr int kIconSize = 16;

}  // namespace

TKtTreeView::TKtTreeView(QWidget* parent) : TKtTreeView(ShellNamespace::forCurrentUser(), parent) {}

TKtTreeView::TKtTreeView(ShellNamespace shellNamespace, QWidget* parent)
    : QTreeWidget(parent), shellNamespace_(std::move(shellNamespace)) {
  setColumnCount(1);
  setHeaderHidden(true);
  // Long names and deep folders scroll sideways instead of being cut.
  header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  header()->setStretchLastSection(false);
  setRootIsDecorated(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setFocusPolicy(Qt::StrongFocus);
  setIconSize(QSize(kIconSize, kIconSize));
  setUniformRowHeights(true);
  setSortingEnabled(false);
  connect(this, &QTreeWidget::itemExpanded, this, &TKtTreeView::NodeExpanded);
  connect(this, &QTreeWidget::itemSelectionChanged, this, &TKtTreeView::SelectionChanged);
}

void TKtTreeView::ReloadTree() {
  loaded_ = true;
  const ItemIdList desktop = ShellNamespace::desktopIds();
  auto root = std::make_unique<KtTreeNode>(TItemIDs(std::nullopt, desktop));
  root->setText(0, QString::fromStdString(shellNamespace_.displayNameOf(desktop)));
  root->setIcon(0, icons_.iconFor(shellNamespace_.iconOf(desktop)));
  root->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  root->SetHasChildren(true);
  KtTreeNode& node = *root;
  addTopLevelItem(root.release());
  if (const std::optional<BoundFolder> folder = shellNamespace_.bind(desktop)) {
    FillChildren(node, *folder);
  }
  expandItem(&node);
}

std::string TKtTreeView::SelectedPath() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  if (selected.isEmpty()) return {};
  return PathOf(selected.front());
}

bool TKtTreeView::SelectedIsExistingFolder() const {
  return isExistingFolder(SelectedPath());
}

std::string TKtTreeView::PathOf(const QTreeWidgetItem* node) const {
  const TItemIDs* ids = ItemIDsOf(node);
  if (ids == nullptr) return {};
  return shellNamespace_.pathOf(ids->AbsoluteIDs());
}

const TItemIDs* TKtTreeView::ItemIDsOf(const QTreeWidgetItem* node) {
  if (node == nullptr || node->type() != KtTreeNode::kType) return nullptr;
  return &static_cast<const KtTreeNode*>(node)->ItemIDs();
}

void TKtTreeView::showEvent(QShowEvent* event) {
  // A tree shown before anyone loaded it shows the namespace rather than nothing.
  if (!loaded_ && topLevelItemCount() == 0) ReloadTree();
  QTreeWidget::showEvent(event);
}

void TKtTreeView::keyPressEvent(QKeyEvent* event) {
  // The view's own "*" opens every node below, which here would read the whole file system
  // (and follow folder links without end); it opens the current node only.
  if (event->key() == Qt::Key_Asterisk) {
    if (QTreeWidgetItem* node = currentItem()) expandItem(node);
    event->accept();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

bool TKtTreeView::CanExpand(KtTreeNode& node) {
  if (!node.HasChildren() || node.Filled()) return true;
  const std::optional<BoundFolder> folder = shellNamespace_.bind(node.ItemIDs().AbsoluteIDs());
  if (!folder) return false;
  FillChildren(node, *folder);
  return true;
}

void TKtTreeView::FillChildren(KtTreeNode& node, const BoundFolder& folder) {
  node.MarkFilled();
  const std::optional<std::vector<ItemIdList>> children = folder.enumerate();
  if (!children) return;
  const ItemIdList parentAbs = node.ItemIDs().AbsoluteIDs();
  QList<QTreeWidgetItem*> nodes;
  for (const ItemIdList& child : *children) {
    const FolderAttributes attributes = folder.attributesOf(child);
    if (!attributes.folder) continue;
    const ChildLook look = folder.lookOf(child);
    auto childNode = std::make_unique<KtTreeNode>(TItemIDs(parentAbs, child));
    childNode->setText(0, QString::fromStdString(look.displayName));
    childNode->setIcon(0, icons_.iconFor(look.icon));
    childNode->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    childNode->SetHasChildren(attributes.hasSubfolders);
    nodes.append(childNode.release());
  }
  node.addChildren(nodes);
  // A folder whose subfolders are all gone by now loses its expand button.
  if (node.childCount() == 0) node.SetHasChildren(false);
}

void TKtTreeView::NodeExpanded(QTreeWidgetItem* item) {
  if (item == nullptr || item->type() != KtTreeNode::kType) return;
  if (!CanExpand(static_cast<KtTreeNode&>(*item))) collapseItem(item);
}

void TKtTreeView::SelectionChanged() {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  if (!selected.isEmpty()) emit Change(selected.front());
}

}  // namespace tossbox
