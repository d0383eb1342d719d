#pragma once
// The one way anything that can fail says how it went: a status and a
// message for people that names the file and, for bad input, the field.
#include <string>
#include <utility>

enum class KStatus {
  kOk,
  kCannotOpen,   // missing, unreadable, a directory, not a regular file
  kBadInput,     // the content is malformed or promises more than it holds
  kCannotWrite,  // the output could not be written completely
  kRefused,      // a sound request this system will not carry out
  kCancelled,    // the user ended it
  kFailed,       // the work itself went wrong (no finite result)
};

class [[nodiscard]] KResult {
public:
  KResult() = default;  // success
  KResult(KStatus status, std::string message) : status_(status), message_(std::move(message)) {}

  static KResult Ok() { return {}; }

  bool ok() const { return status_ == KStatus::kOk; }
  explicit operator bool() const { return ok(); }
  KStatus status() const { return status_; }
  // Empty on success.
  const std::string& message() const { return message_; }

private:
  KStatus status_ = KStatus::kOk;
  std::string message_;
};

// A result together with what the work produced. The value is always there:
// on success it is the product; on failure it is what the function says
// (how far the work got, or a default value).
template <class T>
class [[nodiscard]] KResultWith : public KResult {
public:
  KResultWith(T value) : value_(std::move(value)) {}  // success
  KResultWith(KResult result, T value = T()) : KResult(std::move(result)), value_(std::move(value)) {}

  T& value() { return value_; }
  const T& value() const { return value_; }

private:
  T value_;
};

// "cannot open 'path': <reason of errno>" and the like: verb names the
// action, the reason comes from errno as the failing call left it.
KResult ErrnoResult(KStatus status, const std::string& verb, const std::string& path, int error);
