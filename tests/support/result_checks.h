#pragma once
// One check for the sequence every failure test repeats: the status, then
// the parts of the message that name the file and the cause.
//   EXPECT_TRUE(FailedWith(ReadNetFile(path, net), KStatus::kBadInput, {"'" + path + "'", "header"}));
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "platform/base/result.h"

// Success when r has status and its message holds each of parts; otherwise
// a failure that shows the status and the whole message.
::testing::AssertionResult FailedWith(const KResult& r, KStatus status, std::initializer_list<std::string> parts);
