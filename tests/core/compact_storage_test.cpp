// The compact pieces large drawings are stored with: pooled slots, short
// strings, shared property pairs and the lazily made reading state.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/document/kones.h"
#include "platform/base/fixed_pool.h"
#include "platform/base/small_string.h"
#include "tests/support/heap_counter.h"

namespace {

TEST(KSmallString, HoldsAnyBytesInsideOrOnTheHeap) {
  const std::string cases[] = {"", "w", std::string(14, 'x'), std::string(15, 'y'),
                               "window\\button\xe4\xf6", std::string(300, '\x80')};
  for (const std::string& text : cases) {
    KSmallString s(text);
    EXPECT_EQ(s.view(), text);
    EXPECT_EQ(s.c_str()[text.size()], '\0') << text.size();
    KSmallString copy = s;
    EXPECT_EQ(copy, s);
    KSmallString moved = std::move(copy);
    EXPECT_EQ(moved, text);
    EXPECT_TRUE(copy.empty());
    s = std::string_view(s).substr(1 < text.size() ? 1 : 0);  // from its own bytes
    EXPECT_EQ(s.view(), text.substr(1 < text.size() ? 1 : 0));
    moved = "short";
    EXPECT_EQ(moved, "short");
  }
}

TEST(KSmallString, OrdersAsItsBytes) {
  const std::vector<std::string> words = {"b", "abcdefghijklmnopq", "abc", "", "\xe4", "abcdefghijklmn"};
  std::vector<KSmallString> small;
  for (const auto& w : words) small.emplace_back(w);
  std::sort(small.begin(), small.end());
  std::vector<std::string> want = words;
  std::sort(want.begin(), want.end());
  for (std::size_t i = 0; i < want.size(); ++i) EXPECT_EQ(small[i], want[i]) << i;
}

TEST(KFixedPool, HandsOutSeparateSlotsAndGivesEmptyChunksBack) {
  KFixedPool pool(24);
  std::vector<char*> slots;
  slots.reserve(5000);
  const std::int64_t before = HeapInUse();
  for (int i = 0; i < 5000; ++i) {
    slots.push_back(static_cast<char*>(pool.Allocate()));
    std::fill_n(slots.back(), 24, static_cast<char>(i));
  }
  for (int i = 0; i < 5000; ++i)
    ASSERT_EQ(std::count(slots[i], slots[i] + 24, static_cast<char>(i)), 24) << i;
  EXPECT_EQ(pool.InUse(), slots.size());
  const std::int64_t full = HeapInUse() - before;
  // Only the oldest slot alive: every later chunk is back on the heap.
  for (std::size_t i = 1; i < slots.size(); ++i) pool.Release(slots[i]);
  EXPECT_LT(HeapInUse() - before, full / 20);
  slots[1] = static_cast<char*>(pool.Allocate());  // a released slot serves again
  EXPECT_EQ(pool.InUse(), 2u);
  pool.Release(slots[0]);
  pool.Release(slots[1]);
  EXPECT_EQ(pool.InUse(), 0u);
  EXPECT_EQ(HeapInUse(), before);
}

TEST(KPropertyHolder, SettingOneValueKeepsTheOtherAndNeverChangesASharedPair) {
  auto tp = std::make_shared<KTextProperties>();
  KPropertyHolder a;
  a.SetTextProperties(tp);
  KPropertyHolder b;
  b.ShareProperties(a.Properties());
  auto other = std::make_shared<KTextProperties>();
  b.SetTextProperties(other);
  EXPECT_EQ(a.TextProperties(), tp);
  EXPECT_EQ(b.TextProperties(), other);
  EXPECT_EQ(b.Embellishment(), nullptr);
  b.SetTextProperties(nullptr);
  EXPECT_EQ(b.Properties(), nullptr);  // nothing left to share
}

TEST(KPropertyHolder, ThePairLivesExactlyAsLongAsItsLastHolder) {
  // A pair that leaks keeps its text properties alive.
  std::weak_ptr<KTextProperties> watch;
  {
    auto holders = std::make_unique<std::vector<KPropertyHolder>>(3);
    auto tp = std::make_shared<KTextProperties>();
    watch = tp;
    (*holders)[0].SetTextProperties(std::move(tp));
    for (KPropertyHolder& h : *holders) h.ShareProperties((*holders)[0].Properties());
    KPropertyHolder moved = std::move((*holders)[1]);
    holders->erase(holders->begin(), holders->begin() + 2);
    EXPECT_FALSE(watch.expired());  // the last copy and the moved one still hold it
    holders.reset();
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(moved.TextProperties(), watch.lock());
  }
  EXPECT_TRUE(watch.expired());
}

TEST(KOnes, ReadingStateIsMadeOnFirstUseAndEndsWithTheBlock) {
  KOnes doc;
  const std::shared_ptr<KTextProperties> fresh = doc.PendingTextProperties();
  ASSERT_NE(fresh, nullptr);  // a new document has the default pending
  KEntry& e = doc.AddEntry(kKindPoint, nullptr);
  EXPECT_EQ(e.TextProperties(), fresh);
  EXPECT_EQ(e.layer, doc.CurrentLayer());

  KOnes block;
  block.EndReading();
  EXPECT_EQ(block.PendingTextProperties(), nullptr);
  EXPECT_TRUE(block.ReadIssues().empty());
  EXPECT_TRUE(block.OwnedLayers().empty());
  block.SelectLayer("a");
  block.SelectLayer("b");
  block.SelectLayer("a");
  std::vector<std::string> names;
  for (KLayer* layer : block.OwnedLayers()) names.push_back(layer->name.str());
  EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(block.PendingTextProperties(), nullptr);  // still ended
}

}  // namespace
