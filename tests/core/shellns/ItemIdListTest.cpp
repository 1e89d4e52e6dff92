#include "core/shellns/ItemIdList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/shellns/TItemIDs.h"

namespace tossbox {
namespace {

using Bytes = std::vector<std::uint8_t>;

ItemIdList listOf(const Bytes& bytes) {
  std::optional<ItemIdList> list = ItemIdList::copyOf(bytes);
  EXPECT_TRUE(list.has_value());
  return list.value_or(ItemIdList());
}

Bytes bytesOf(const ItemIdList& list) {
  return {list.bytes().begin(), list.bytes().end()};
}

TEST(ItemIdList, SizeAndCopyOfHandMadeLists) {
  EXPECT_EQ(itemIdListSize(Bytes{0, 0}), 2u);
  // Items "a" and "bc", then the terminator, then bytes that belong to no list.
  const Bytes twoItems{3, 0, 'a', 4, 0, 'b', 'c', 0, 0, 0xAA, 0xBB};
  EXPECT_EQ(itemIdListSize(twoItems), 9u);

  const ItemIdList copy = listOf(twoItems);
  EXPECT_EQ(copy.size(), 9u);
  EXPECT_EQ(bytesOf(copy), Bytes(twoItems.begin(), twoItems.begin() + 9));
  EXPECT_EQ(copy.items(), (std::vector<std::string_view>{"a", "bc"}));
  EXPECT_TRUE(copy.hasItems());

  const ItemIdList empty;
  EXPECT_EQ(bytesOf(empty), (Bytes{0, 0}));
  EXPECT_FALSE(empty.hasItems());
  EXPECT_TRUE(empty.items().empty());

  // An item of 300 bytes of data: size 302 = 0x012E, little-endian.
  const std::optional<ItemIdList> big = ItemIdList::ofItem(std::string(300, 'x'));
  ASSERT_TRUE(big.has_value());
  EXPECT_EQ(big->bytes()[0], 0x2E);
  EXPECT_EQ(big->bytes()[1], 0x01);
  EXPECT_EQ(big->size(), 304u);
  EXPECT_EQ(itemIdListSize(big->bytes()), 304u);

  EXPECT_TRUE(ItemIdList::ofItem(std::string(ItemIdList::kMaxItemData, 'x')).has_value());
  EXPECT_FALSE(ItemIdList::ofItem(std::string(ItemIdList::kMaxItemData + 1, 'x')).has_value());
}

TEST(ItemIdList, MalformedListsAreRefusedUnread) {
  const std::vector<Bytes> malformed = {
      {},                         // nothing at all
      {0},                        // half a terminator
      {3, 0, 'a'},                // no terminator
      {3, 0, 'a', 0},             // half a terminator after an item
      {5, 0, 'a', 'b'},           // item size runs past the end
      {0xFF, 0xFF, 'a', 0, 0},    // item size far past the end
      {3, 0, 'a', 9, 0, 'b', 0},  // second item runs past the end
      {1, 0, 0, 0},               // an item size that does not cover its own field
  };
  // Each vector is exactly as long as its bytes, so a walk past the end shows under ASan.
  for (const Bytes& bytes : malformed) {
    EXPECT_FALSE(itemIdListSize(bytes).has_value()) << "size " << bytes.size();
    EXPECT_FALSE(ItemIdList::copyOf(bytes).has_value()) << "size " << bytes.size();
  }
}

TEST(ItemIdList, ConcatenateKeepsOneTerminator) {
  const ItemIdList a = listOf({3, 0, 'a', 0, 0});
  const ItemIdList bc = listOf({3, 0, 'b', 3, 0, 'c', 0, 0});
  const ItemIdList joined = concatenate(a, bc);
  EXPECT_EQ(joined.size(), a.size() - 2 + bc.size());
  EXPECT_EQ(bytesOf(joined), (Bytes{3, 0, 'a', 3, 0, 'b', 3, 0, 'c', 0, 0}));
  EXPECT_EQ(bytesOf(concatenate(ItemIdList(), bc)), bytesOf(bc));
  EXPECT_EQ(bytesOf(concatenate(a, ItemIdList())), bytesOf(a));
}

TEST(TItemIDs, AbsoluteIdsJoinParentAndChild) {
  const ItemIdList child = listOf({3, 0, 'x', 0, 0});
  const TItemIDs root(std::nullopt, ItemIdList());
  EXPECT_FALSE(root.ParentIDs().has_value());
  EXPECT_EQ(root.AbsoluteIDs(), ItemIdList());

  const ItemIdList parent = listOf({3, 0, 'p', 0, 0});
  const TItemIDs node(parent, child);
  EXPECT_EQ(node.ParentIDs(), parent);
  EXPECT_EQ(node.ChildID(), child);
  EXPECT_EQ(bytesOf(node.AbsoluteIDs()), (Bytes{3, 0, 'p', 3, 0, 'x', 0, 0}));
}

}  // namespace
}  // namespace tossbox
