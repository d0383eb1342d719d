#pragma once
// The embellishment and text properties an entry or a layer draws with,
// held behind one shared pointer to an immutable pair: entries added under
// the same reading state share one pair, and each holder pays one pointer
// for both values instead of two.
#include <memory>

class KEmbellish;
struct KTextProperties;

struct KPropertyPair {
  std::shared_ptr<KEmbellish> embellishment;
  std::shared_ptr<KTextProperties> textProperties;
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
  const std::shared_ptr<const KPropertyPair>& Properties() const { return pair_; }
  void ShareProperties(std::shared_ptr<const KPropertyPair> pair) { pair_ = std::move(pair); }

private:
  template <class T>
  static const std::shared_ptr<T>& None() {
    static const std::shared_ptr<T> none;
    return none;
  }
  void Set(KPropertyPair next) {
    if (!next.embellishment && !next.textProperties)
      pair_.reset();
    else
      pair_ = std::make_shared<const KPropertyPair>(std::move(next));
  }
  std::shared_ptr<const KPropertyPair> pair_;
};
