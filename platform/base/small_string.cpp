#include "platform/base/small_string.h"

#include <cstring>
#include <limits>
#include <new>

void KSmallString::Free() noexcept {
  if (OnHeap()) delete[] heap_.data;
  Clear();
}

void KSmallString::Assign(std::string_view text) {
  if (text.size() <= kInlineCapacity) {
    std::memcpy(inline_, text.data(), text.size());
    inline_[text.size()] = '\0';
    inline_[kTag] = static_cast<char>(text.size());
    return;
  }
  if (text.size() >= std::numeric_limits<std::uint32_t>::max()) throw std::bad_alloc();
  char* data = new char[text.size() + 1];
  std::memcpy(data, text.data(), text.size());
  data[text.size()] = '\0';
  heap_.data = data;
  heap_.size = static_cast<std::uint32_t>(text.size());
  inline_[kTag] = static_cast<char>(kHeapTag);
}

KSmallString::KSmallString(KSmallString&& other) noexcept {
  std::memcpy(inline_, other.inline_, sizeof inline_);
  other.Clear();
}

KSmallString& KSmallString::operator=(const KSmallString& other) {
  if (this != &other) *this = other.view();
  return *this;
}

KSmallString& KSmallString::operator=(KSmallString&& other) noexcept {
  if (this == &other) return *this;
  Free();
  std::memcpy(inline_, other.inline_, sizeof inline_);
  other.Clear();
  return *this;
}

KSmallString& KSmallString::operator=(std::string_view text) {
  // text may lie inside this string's own bytes: copy before freeing.
  KSmallString copy(text);
  return *this = std::move(copy);
}
