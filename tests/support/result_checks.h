#pragma once
// One check for the sequence every failure test repeats: the status, then
// the parts of the message or standard error that name the file and cause.
//   EXPECT_TRUE(FailedWith(ReadNetFile(path, net), KStatus::kBadInput, {"'" + path + "'"}));
//   EXPECT_TRUE(ExitedWith(RunQuarvel(args), 1, {"cannot open"}));
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "platform/base/result.h"
#include "tests/support/run_program.h"

using TextParts = std::initializer_list<std::string>;

// Success when got is want and text holds each of parts; otherwise a
// failure that shows both numbers and the whole text.
::testing::AssertionResult StatusAndText(int got, int want, const std::string& text, TextParts parts);

// r has status and its message holds each of parts.
inline ::testing::AssertionResult FailedWith(const KResult& r, KStatus status, TextParts parts) {
  return StatusAndText(static_cast<int>(r.status()), static_cast<int>(status), r.message(), parts);
}

// The run exited with status and its standard error holds each of parts.
inline ::testing::AssertionResult ExitedWith(const ProgramRun& r, int status, TextParts parts) {
  return StatusAndText(r.status, status, r.err, parts);
}
