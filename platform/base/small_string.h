#pragma once
// A string of 16 bytes for the names and labels a drawing holds by the
// hundred thousand: up to 14 bytes stay inside, longer ones take one heap
// block of their own. Always NUL-terminated; bytes pass through untouched.
#include <compare>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

class KSmallString {
public:
  KSmallString() noexcept { Clear(); }
  explicit KSmallString(std::string_view text) { Assign(text); }
  KSmallString(const KSmallString& other) { Assign(other.view()); }
  KSmallString(KSmallString&& other) noexcept;
  KSmallString& operator=(const KSmallString& other);
  KSmallString& operator=(KSmallString&& other) noexcept;
  KSmallString& operator=(std::string_view text);
  KSmallString& operator=(const std::string& text) { return *this = std::string_view(text); }
  KSmallString& operator=(const char* text) { return *this = std::string_view(text); }
  ~KSmallString() { Free(); }

  const char* c_str() const noexcept { return OnHeap() ? heap_.data : inline_; }
  const char* data() const noexcept { return c_str(); }
  std::size_t size() const noexcept { return OnHeap() ? heap_.size : static_cast<unsigned char>(inline_[kTag]); }
  bool empty() const noexcept { return size() == 0; }
  std::string_view view() const noexcept { return {c_str(), size()}; }
  operator std::string_view() const noexcept { return view(); }
  std::string str() const { return std::string(view()); }
  void clear() noexcept { Free(); }

  friend bool operator==(const KSmallString& a, const KSmallString& b) noexcept { return a.view() == b.view(); }
  friend bool operator==(const KSmallString& a, std::string_view b) noexcept { return a.view() == b; }
  friend bool operator==(const KSmallString& a, const char* b) noexcept { return a.view() == b; }
  friend std::strong_ordering operator<=>(const KSmallString& a, const KSmallString& b) noexcept {
    return a.view() <=> b.view();
  }
  friend std::strong_ordering operator<=>(const KSmallString& a, std::string_view b) noexcept {
    return a.view() <=> b;
  }
  friend std::string operator+(const std::string& a, const KSmallString& b) { return a + b.str(); }
  friend std::string operator+(const KSmallString& a, const std::string& b) { return a.str() + b; }
  friend std::string operator+(const KSmallString& a, const char* b) { return a.str() + b; }
  friend std::string operator+(const char* a, const KSmallString& b) { return a + b.str(); }
  friend std::ostream& operator<<(std::ostream& out, const KSmallString& s) { return out << s.view(); }

  static constexpr std::size_t kInlineCapacity = 14;

private:
  // The last byte tells the two forms apart: the inline length (0..14), or
  // kHeapTag when the bytes are on the heap.
  static constexpr std::size_t kTag = 15;
  static constexpr unsigned char kHeapTag = 0xFF;
  struct Heap {
    char* data;
    std::uint32_t size;
  };
  bool OnHeap() const noexcept { return static_cast<unsigned char>(inline_[kTag]) == kHeapTag; }
  void Clear() noexcept {
    inline_[0] = '\0';
    inline_[kTag] = 0;
  }
  void Free() noexcept;
  void Assign(std::string_view text);
  union {
    char inline_[16];
    Heap heap_;
  };
};
static_assert(sizeof(KSmallString) == 16);
