#pragma once
// What every broken SEG-Y file gives: an error naming the file and the
// field, or the traces that are there with a warning. Shared by the tests
// on the generated files and on the real ones.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "io/segy/segy_layout.h"
#include "platform/base/warning.h"
#include "tests/support/result_checks.h"
#include "tests/support/segy_data.h"

struct MalformedCase {
  const char* file;
  const char* error;    // part of the message, or null when it reads
  long long traces;     // traces whose fields are written
  const char* warning;  // part of the first warning, or null for none
};

inline void ExpectMalformedOutcome(const MalformedCase& c, const std::string& path) {
  using ::testing::AllOf;
  using ::testing::HasSubstr;
  SCOPED_TRACE(c.file);
  KWarningList warnings;
  KResultWith<KSegyLayout> read = ReadSegyLayout(path, &warnings);
  if (c.error) {
    EXPECT_TRUE(FailedWith(read, KStatus::kBadInput, {"'" + path + "'", c.error}));
    EXPECT_TRUE(warnings.empty());
    return;
  }
  ASSERT_TRUE(read) << read.message();
  EXPECT_EQ(read.value().TracesHolding(KSegyFields{}.End()), c.traces);
  if (!c.warning) {
    EXPECT_TRUE(warnings.empty()) << warnings.items().front().message;
  } else {
    ASSERT_FALSE(warnings.empty());
    EXPECT_THAT(warnings.items().front().message, AllOf(HasSubstr("'" + path + "'"), HasSubstr(c.warning)));
  }
  // One "x,y" line per trace that holds the fields, however broken.
  const std::string text = SegyPositionsText(path);
  EXPECT_EQ(std::count(text.begin(), text.end(), ','), c.traces);
}
