// The little-endian codec of the binary grid and net files: bytes worked
// out by hand, and reads that stop at the end of the bytes.
#include "io/grid/little_endian.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

template <class T>
std::string Stored(T value) {
  unsigned char bytes[sizeof(T)];
  kle::Store(bytes, value);
  EXPECT_EQ(kle::Load<T>(bytes), value);
  return std::string(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

TEST(LittleEndian, LowestByteFirst) {
  EXPECT_EQ(Stored<std::uint16_t>(0xBEEF), "\xEF\xBE");
  EXPECT_EQ(Stored<std::int16_t>(-2), "\xFE\xFF");
  EXPECT_EQ(Stored<std::uint32_t>(0x01020304), "\x04\x03\x02\x01");
  EXPECT_EQ(Stored<std::int32_t>(-199), std::string("\x39\xFF\xFF\xFF"));
  EXPECT_EQ(Stored<float>(1.0f), std::string("\x00\x00\x80\x3F", 4));
  EXPECT_EQ(Stored<double>(-2.5), std::string("\x00\x00\x00\x00\x00\x00\x04\xC0", 8));
}

TEST(LittleEndian, CheckedReadsStopAtTheEnd) {
  const std::string bytes("\x01\x02\x03\x04\x05", 5);
  EXPECT_EQ(kle::LoadAt<std::int32_t>(kle::Bytes(bytes), 1), 0x05040302);
  EXPECT_EQ(kle::LoadAt<std::uint16_t>(kle::Bytes(bytes), 3), 0x0504);
  for (std::size_t offset : {std::size_t{2}, std::size_t{5}, std::size_t{6}, std::numeric_limits<std::size_t>::max()})
    EXPECT_FALSE(kle::LoadAt<std::int32_t>(kle::Bytes(bytes), offset)) << offset;
}

}  // namespace
