#pragma once
// A vector whose copies share one buffer until one of them is changed: a
// picture or grid named by many elements of a drawing is held once however
// many elements keep a copy. Reading never copies; any access that may
// write (non-const data(), [], begin/end, resize...) first gives this copy a
// buffer of its own when another copy still shares it. As with a vector, a
// pointer taken for writing is valid only until the next change.
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <vector>

template <typename T>
class KSharedVector {
public:
  using value_type = T;
  using iterator = T*;
  using const_iterator = const T*;

  KSharedVector() = default;
  KSharedVector(std::initializer_list<T> values) : items_(std::make_shared<std::vector<T>>(values)) {}
  KSharedVector(std::vector<T> values) : items_(std::make_shared<std::vector<T>>(std::move(values))) {}
  KSharedVector& operator=(std::initializer_list<T> values) {
    items_ = std::make_shared<std::vector<T>>(values);
    return *this;
  }

  std::size_t size() const { return items_ ? items_->size() : 0; }
  bool empty() const { return size() == 0; }
  const T* data() const { return items_ ? items_->data() : nullptr; }
  const T& operator[](std::size_t i) const { return (*items_)[i]; }
  const T* begin() const { return data(); }
  const T* end() const { return data() + size(); }
  const T& front() const { return items_->front(); }
  const T& back() const { return items_->back(); }
  // The elements as a vector (empty when there are none).
  const std::vector<T>& vector() const { return items_ ? *items_ : Empty(); }
  // Whether other's elements are this buffer (not just equal values).
  bool SharesWith(const KSharedVector& other) const { return items_ && items_ == other.items_; }

  T* data() { return Own().data(); }
  T& operator[](std::size_t i) { return Own()[i]; }
  T* begin() { return data(); }
  T* end() { return data() + size(); }
  void resize(std::size_t n) { Own().resize(n); }
  void resize(std::size_t n, const T& value) { Own().resize(n, value); }
  void push_back(const T& value) { Own().push_back(value); }
  void clear() { items_.reset(); }

  friend bool operator==(const KSharedVector& a, const KSharedVector& b) { return a.vector() == b.vector(); }
  friend bool operator==(const KSharedVector& a, const std::vector<T>& b) { return a.vector() == b; }

private:
  static const std::vector<T>& Empty() {
    static const std::vector<T> none;
    return none;
  }
  std::vector<T>& Own() {
    if (!items_)
      items_ = std::make_shared<std::vector<T>>();
    else if (items_.use_count() > 1)
      items_ = std::make_shared<std::vector<T>>(*items_);
    return *items_;
  }

  std::shared_ptr<std::vector<T>> items_;
};
