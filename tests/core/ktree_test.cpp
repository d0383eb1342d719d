#include "model/classes/ktree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(KTree, GroupsAndLeavesFromLayerPaths) {
  int a, b, c, d;
  KTree<int> tree;
  tree.InsertPath("0", &a);
  tree.InsertPath("window\\button", &b);
  tree.InsertPath("window\\edit", &c);
  tree.InsertPath("f(x,y)\\outline", &d);

  EXPECT_EQ(tree.LookupPath("0"), &a);
  EXPECT_EQ(tree.LookupPath("window\\button"), &b);
  EXPECT_EQ(tree.LookupPath("window\\edit"), &c);
  EXPECT_EQ(tree.LookupPath("f(x,y)\\outline"), &d);
  EXPECT_EQ(tree.LookupPath("window\\x"), nullptr);
  EXPECT_EQ(tree.LookupPath("window"), nullptr);  // a group is not a leaf
  EXPECT_EQ(tree.LookupPath("nothing\\x"), nullptr);

  std::vector<std::string> paths;
  tree.EnumeratePaths("", [&](const std::string& p, int*) { paths.push_back(p); });
  std::vector<std::string> want = {"0", "f(x,y)\\outline", "window\\button", "window\\edit"};
  EXPECT_EQ(paths, want);
}

TEST(KTree, InsertReplacesAndNestsDeeply) {
  int a, b;
  KTree<int> tree;
  tree.InsertPath("a\\b\\c", &a);
  EXPECT_EQ(tree.LookupPath("a\\b\\c"), &a);
  tree.InsertPath("a\\b\\c", &b);
  EXPECT_EQ(tree.LookupPath("a\\b\\c"), &b);
  auto top = tree.Children();
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].key, "a\\");
  ASSERT_NE(top[0].child, nullptr);
}

TEST(KTree, TrailingBackslashUsesEmptyKeyAndLongComponentsAreCut) {
  int a, b;
  KTree<int> tree;
  tree.InsertPath("grp\\", &a);
  EXPECT_EQ(tree.LookupPath("grp\\"), &a);
  std::string longName(300, 'x');
  tree.InsertPath(longName, &b);
  EXPECT_EQ(tree.LookupPath(std::string(255, 'x')), &b);
  EXPECT_EQ(tree.LookupPath(longName), &b);
}

}  // namespace
