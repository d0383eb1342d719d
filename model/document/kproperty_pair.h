#pragma once
// The embellishment and text properties an entry or a layer draws with,
// held behind one counted pointer to an immutable pair: entries added under
// the same reading state share one pair, and each holder pays one pointer
// for both values instead of two, and no control block.
#include <atomic>
#include <cstddef>
#include <memory>
#include <utility>

class KEmbellish;
struct KTextProperties;

struct KPropertyPair {
  std::shared_ptr<KEmbellish> embellishment;
  std::shared_ptr<KTextProperties> textProperties;
};

// A shared, immutable KPropertyPair: one pointer, the count beside the
// pair. Copies may be made and dropped on any thread.
class KPropertyPairRef {
public:
  KPropertyPairRef() = default;
  KPropertyPairRef(std::nullptr_t) {}
  explicit KPropertyPairRef(KPropertyPair pair) : node_(new Node{std::move(pair), {1}}) {}
  KPropertyPairRef(const KPropertyPairRef& other) noexcept : node_(other.node_) {
    if (node_) node_->count.fetch_add(1, std::memory_order_relaxed);
  }
  KPropertyPairRef(KPropertyPairRef&& other) noexcept : node_(std::exchange(other.node_, nullptr)) {}
  KPropertyPairRef& operator=(KPropertyPairRef other) noexcept {
    std::swap(node_, other.node_);
    return *this;
  }
  ~KPropertyPairRef() {
    if (node_ && node_->count.fetch_sub(1, std::memory_order_acq_rel) == 1) delete node_;
  }

  const KPropertyPair* get() const { return node_ ? &node_->pair : nullptr; }
  const KPropertyPair& operator*() const { return node_->pair; }
  const KPropertyPair* operator->() const { return &node_->pair; }
  explicit operator bool() const { return node_ != nullptr; }
  friend bool operator==(const KPropertyPairRef& a, const KPropertyPairRef& b) { return a.node_ == b.node_; }
  friend bool operator==(const KPropertyPairRef& a, std::nullptr_t) { return a.node_ == nullptr; }

private:
  struct Node {
    KPropertyPair pair;
    std::atomic<long> count;
  };
  Node* node_ = nullptr;
};

class KPropertyHolder {
public:
  const std::shared_ptr<KEmbellish>& Embellishment() const { return pair_ ? pair_->embellishment : None<KEmbellish>(); }
  const std::shared_ptr<KTextProperties>& TextProperties() const {
    return pair_ ? pair_->textProperties : None<KTextProperties>();
  }
  // Replaces one value; the other stays. Never changes a pair others share.
  void SetEmbellishment(std::shared_ptr<KEmbellish> value) {
    if (value == Embellishment()) return;
    KPropertyPair next = pair_ ? *pair_ : KPropertyPair{};
    next.embellishment = std::move(value);
    Set(std::move(next));
  }
  void SetTextProperties(std::shared_ptr<KTextProperties> value) {
    if (value == TextProperties()) return;
    KPropertyPair next = pair_ ? *pair_ : KPropertyPair{};
    next.textProperties = std::move(value);
    Set(std::move(next));
  }

  // The pair itself, to share with another holder; null when both are null.
  const KPropertyPairRef& Properties() const { return pair_; }
  void ShareProperties(KPropertyPairRef pair) { pair_ = std::move(pair); }

private:
  template <class T>
  static const std::shared_ptr<T>& None() {
    static const std::shared_ptr<T> none;
    return none;
  }
  void Set(KPropertyPair next) {
    if (!next.embellishment && !next.textProperties)
      pair_ = nullptr;
    else
      pair_ = KPropertyPairRef(std::move(next));
  }
  KPropertyPairRef pair_;
};
