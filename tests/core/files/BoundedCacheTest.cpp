// The two bounds of the cache, the order in which it lets entries go, and what it keeps.
#include "core/files/BoundedCache.h"

#include <gtest/gtest.h>

#include <string>

namespace tossbox {
namespace {

TEST(BoundedCache, KeepsBothBoundsAndLetsTheLeastRecentlyUsedGo) {
  BoundedCache<std::string, int> cache(3, 100);
  cache.put("a", 1, 10);
  cache.put("b", 2, 10);
  cache.put("c", 3, 10);
  EXPECT_EQ(cache.find("a"), 1);  // a is now the most recent
  cache.put("d", 4, 10);
  EXPECT_EQ(cache.size(), 3u);
  EXPECT_FALSE(cache.contains("b"));
  EXPECT_TRUE(cache.contains("a"));
  EXPECT_EQ(cache.cost(), 30u);

  // The cost bound: d and a go to make room for 85.
  cache.put("e", 5, 85);
  EXPECT_LE(cache.cost(), 100u);
  EXPECT_TRUE(cache.contains("e"));
  EXPECT_EQ(cache.size(), 2u);
  EXPECT_TRUE(cache.contains("c") != cache.contains("d"));

  // Too costly alone: not kept, and what was there with that key goes.
  cache.put("e", 6, 101);
  EXPECT_FALSE(cache.contains("e"));
  EXPECT_EQ(cache.find("e"), std::nullopt);

  // Replacing a key counts its cost once.
  BoundedCache<std::string, int> again(3, 100);
  again.put("x", 1, 60);
  again.put("x", 2, 60);
  EXPECT_EQ(again.size(), 1u);
  EXPECT_EQ(again.cost(), 60u);
  EXPECT_EQ(again.find("x"), 2);
}

TEST(BoundedCache, RetainKeepsOnlyWhatItIsTold) {
  BoundedCache<std::string, int> cache(5, 1000);
  for (const char* key : {"a", "b", "c", "d"}) cache.put(key, 0, 5);
  cache.retain([](const std::string& key) { return key == "b" || key == "d"; });
  EXPECT_EQ(cache.size(), 2u);
  EXPECT_EQ(cache.cost(), 10u);
  EXPECT_TRUE(cache.contains("b"));
  EXPECT_TRUE(cache.contains("d"));
  EXPECT_FALSE(cache.contains("a"));
}

}  // namespace
}  // namespace tossbox
