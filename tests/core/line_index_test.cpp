// Byte offsets turned into the lines and columns people look for.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/base/warning.h"
#include "platform/files/line_index.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(LineIndex, OffsetsBecomeLinesAndColumns) {
  TempDir dir;
  const KLineIndex index(dir.Write("a.qvd", "ab\ncd\n\nx"));
  const struct {
    std::int64_t offset, line, column;
  } cases[] = {{0, 1, 1}, {2, 1, 3}, {3, 2, 1}, {5, 2, 3}, {6, 3, 1}, {7, 4, 1}, {8, 4, 2}};
  for (const auto& c : cases) {
    std::int64_t line = 0, column = 0;
    ASSERT_TRUE(index.Locate(c.offset, line, column)) << c.offset;
    EXPECT_EQ(line, c.line) << c.offset;
    EXPECT_EQ(column, c.column) << c.offset;
  }
  std::int64_t line = 0, column = 0;
  EXPECT_FALSE(index.Locate(9, line, column));  // past the end
  EXPECT_FALSE(index.Locate(-1, line, column));
  EXPECT_FALSE(KLineIndex(dir.File("missing")).Locate(0, line, column));

  EXPECT_EQ(WarningText({"a.qvd", 7, "point rejected", "why"}, 4, 1), "a.qvd: line 4, column 1 (byte 7): point rejected: why");
  EXPECT_EQ(WarningText({"a.qvd", 7, "", "why"}), "a.qvd: byte 7: why");
}

}  // namespace
