#include "platform/base/result.h"

#include <cstring>

KResult ErrnoResult(KStatus status, const std::string& verb, const std::string& path, int error) {
  std::string message = verb + " '" + path + "'";
  if (error != 0) message += std::string(": ") + std::strerror(error);
  return {status, std::move(message)};
}
