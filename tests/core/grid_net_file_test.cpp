// The net file: strips and links written from a grid with breaks, read back
// with its structure checked; hostile bytes and failing writes.
#include <gtest/gtest.h>

#include <random>

#include "model/grid/kcreate_grid.h"
#include "io/grid/net_file_reader.h"
#include "io/grid/net_file_writer.h"
#include "tests/support/file_bytes.h"
#include "tests/support/result_checks.h"
#include "tests/support/temp_dir.h"

namespace {

// A 6 x 7 grid (unit steps, origin -0.5) whose values tell their node:
// 100 i + j. Breaks: one across columns 2 and 3 between rows 3 and 4, one
// between columns 4 and 5 over rows 0 to 2.
KCreateGrid MakeGrid() {
  KCreateGrid g;
  g.SetGeometry(0, 0, 3, 4, 1, 1);
  g.Prepare(nullptr, 0, {{{1.5, 3.5}, {3.5, 3.5}}, {{4.5, 4.5}, {-1, 2.5}}});
  for (int j = 0; j < g.ny(); ++j)
    for (int i = 0; i < g.nx(); ++i) g.values()[g.Index(i, j)] = 100 * i + j;
  return g;
}

TEST(NetFile, BreakAcrossAColumnSplitsItsStripAndItsLinks) {
  TempDir dir;
  const KCreateGrid g = MakeGrid();
  ASSERT_EQ(g.nx(), 6);
  ASSERT_EQ(g.ny(), 7);
  const KResult written = WriteNetFile(g, dir.File("a.net"));
  ASSERT_TRUE(written) << written.message();

  const std::string bytes = ReadFileBytes(dir.File("a.net"));
  KNetFile net;
  const KResult parsed = ParseNetFile(bytes, net);
  ASSERT_TRUE(parsed.ok()) << parsed.message();
  EXPECT_DOUBLE_EQ(net.x0, -0.5);
  EXPECT_DOUBLE_EQ(net.y0, -0.5);
  EXPECT_DOUBLE_EQ(net.dx, 1);
  EXPECT_EQ(net.nx, 6);
  EXPECT_EQ(net.ny, 7);
  ASSERT_EQ(net.nodes.size(), 42u);
  // Two strips in columns 2 and 3, one elsewhere: 6 + 2 extra headers.
  EXPECT_EQ(bytes.size(), 44u + 24u * 42 + 6 * 4 + 8 * 10);
  for (int i = 0; i < 6; ++i) {
    const auto& strips = net.columns[i];
    if (i == 2 || i == 3) {
      ASSERT_EQ(strips.size(), 2u) << i;
      EXPECT_EQ(strips[0].firstRow, 0);
      EXPECT_EQ(strips[0].count, 4);
      EXPECT_EQ(strips[1].firstRow, 4);
      EXPECT_EQ(strips[1].count, 3);
      EXPECT_EQ(strips[1].firstNode, strips[0].firstNode + 4);
    } else {
      ASSERT_EQ(strips.size(), 1u) << i;
      EXPECT_EQ(strips[0].count, 7);
    }
    EXPECT_EQ(strips[0].firstNode, 7 * i);
  }
  for (int i = 0; i < 6; ++i)
    for (int j = 0; j < 7; ++j) EXPECT_EQ(net.ValueAt(i, j), 100 * i + j);

  const auto node = [&](int i, int j) { return net.nodes[net.RecordAt(i, j)]; };
  EXPECT_EQ(node(2, 3).links[knet::kPlusY], -1);   // cut by the first break
  EXPECT_EQ(node(2, 4).links[knet::kMinusY], -1);
  EXPECT_EQ(node(1, 3).links[knet::kPlusY], net.RecordAt(1, 4));
  EXPECT_EQ(node(4, 1).links[knet::kPlusX], -1);   // cut by the second break
  EXPECT_EQ(node(5, 1).links[knet::kMinusX], -1);
  EXPECT_EQ(node(4, 3).links[knet::kPlusX], net.RecordAt(5, 3));
  EXPECT_EQ(node(5, 3).links[knet::kMinusX], net.RecordAt(4, 3));
  EXPECT_EQ(node(0, 2).links[knet::kMinusX], -1);  // grid edges
  EXPECT_EQ(node(5, 6).links[knet::kPlusX], -1);
  EXPECT_EQ(node(3, 6).links[knet::kPlusY], -1);
}

TEST(NetFile, RejectsTruncatedAndCorruptedFilesWithoutReadingPastThem) {
  TempDir dir;
  ASSERT_TRUE(WriteNetFile(MakeGrid(), dir.File("a.net")));
  const std::string good = ReadFileBytes(dir.File("a.net"));
  KNetFile net;
  for (std::size_t n = 0; n < good.size(); ++n) {
    // Each cut is copied so that the sanitizer sees any read past the end.
    const std::string cut = good.substr(0, n);
    EXPECT_FALSE(ParseNetFile(cut, net).ok()) << n;
  }
  EXPECT_FALSE(ParseNetFile(good + "x", net).ok());

  const auto corrupt = [&](std::size_t offset, std::int32_t value) {
    std::string b = good;
    kle::Store(reinterpret_cast<unsigned char*>(&b[offset]), value);
    return ParseNetFile(b, net).ok();
  };
  EXPECT_FALSE(corrupt(40, 43));                  // node count not nx * ny
  EXPECT_FALSE(corrupt(32, 0x7fffffff));          // absurd nx
  EXPECT_FALSE(corrupt(44 + 8, 9999));            // a +x link out of range
  EXPECT_FALSE(corrupt(44 + 24 * 7 + 8 + 8, 3));  // a -x link to the wrong node
  EXPECT_FALSE(corrupt(44 + 24 * 42, 0));         // column 0 without strips

  std::mt19937 rng(11);
  int accepted = 0;
  for (int trial = 0; trial < 2000; ++trial) {
    std::string b = good;
    for (int k = 0; k < 3; ++k) b[rng() % b.size()] = static_cast<char>(rng());
    accepted += ParseNetFile(b, net).ok();
  }
  EXPECT_GT(accepted, 0);      // changed values are still a valid file
  EXPECT_LT(accepted, 2000);
  EXPECT_TRUE(FailedWith(ReadNetFile(dir.File("missing.net"), net), KStatus::kCannotOpen, {"missing.net"}));
}

// How targets are replaced, and that a failure leaves nothing behind, is the
// output writer's test (atomic_file_test.cpp); here the net file's failure.
TEST(NetFile, FailedWriteIsReportedWithItsPath) {
  TempDir dir;
  EXPECT_TRUE(
      FailedWith(WriteNetFile(MakeGrid(), dir.File("no/such/dir/a.net")), KStatus::kCannotWrite, {"no/such/dir/a.net"}));
  EXPECT_TRUE(dir.Names().empty());
}

}  // namespace
