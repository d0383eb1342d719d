#pragma once
// Names of layers and blocks are backslash paths ("window\button"). KTree
// stores them as nested maps: a key ending in '\' is a group holding a child
// tree, any other key is a leaf holding an item. The tree owns its child
// trees but never the items (the document owns layers and blocks).
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/fixed_pool.h"
#include "platform/base/small_string.h"

template <class Item>
class KTree {
public:
  // A path component keeps at most this many bytes (without its backslash).
  static constexpr std::size_t kMaxComponent = 255;

  KTree() = default;
  ~KTree() {
    if (!nodes_) return;
    for (auto& [key, node] : *nodes_)
      if (IsGroupKey(key)) delete node.child;
  }
  KTree(const KTree&) = delete;
  KTree& operator=(const KTree&) = delete;
  KTree(KTree&& other) noexcept { nodes_.swap(other.nodes_); }
  KTree& operator=(KTree&& other) noexcept {
    nodes_.swap(other.nodes_);
    return *this;
  }

  // Enters item under path, creating missing groups; an existing leaf of the
  // same path gets the new item.
  void InsertPath(std::string_view path, Item* item) {
    KTree* tree = this;
    for (;;) {
      auto [key, rest, group] = Split(path);
      if (!tree->nodes_) tree->nodes_ = std::make_unique<Map>();
      Node& node = tree->nodes_->try_emplace(KSmallString(key)).first->second;
      if (!group) {
        node.item = item;
        return;
      }
      if (!node.child) node.child = new KTree;
      tree = node.child;
      path = rest;
    }
  }

  // The item under path, or nullptr. A path ending in '\' looks up the empty
  // key inside that group.
  Item* LookupPath(std::string_view path) const {
    const KTree* tree = this;
    for (;;) {
      if (!tree->nodes_) return nullptr;
      auto [key, rest, group] = Split(path);
      auto it = tree->nodes_->find(std::string_view(key));
      if (it == tree->nodes_->end()) return nullptr;
      if (!group) return it->second.item;
      tree = it->second.child;
      path = rest;
    }
  }

  // Calls action(full path, item) for every leaf, descending into each group
  // where the map yields its key.
  void EnumeratePaths(const std::string& prefix,
                      const std::function<void(const std::string&, Item*)>& action) const {
    if (!nodes_) return;
    for (const auto& [key, node] : *nodes_) {
      if (IsGroupKey(key))
        node.child->EnumeratePaths(prefix + key, action);
      else
        action(prefix + key, node.item);
    }
  }

  // Calls group(path with trailing '\', subtree) and leaf(path, item) in map
  // order; lets a tree view show groups as nodes.
  struct Visit {
    std::string key;       // the key as stored ("window\" or "button")
    const KTree* child;    // non-null for a group
    Item* item;            // the leaf's item
  };
  std::vector<Visit> Children() const {
    std::vector<Visit> out;
    if (!nodes_) return out;
    for (const auto& [key, node] : *nodes_) {
      if (IsGroupKey(key))
        out.push_back({key.str(), node.child, nullptr});
      else
        out.push_back({key.str(), nullptr, node.item});
    }
    return out;
  }

  bool empty() const { return !nodes_ || nodes_->empty(); }

private:
  // A key ending in a backslash names a group, which owns its child; any
  // other key names a leaf. One pointer a node: a drawing may hold a node for
  // each of hundreds of thousands of layers or blocks.
  union Node {
    KTree* child = nullptr;
    Item* item;
  };
  static bool IsGroupKey(std::string_view key) { return !key.empty() && key.back() == '\\'; }
  struct Parts {
    std::string key;
    std::string_view rest;
    bool group;
  };
  static Parts Split(std::string_view path) {
    std::size_t slash = path.find('\\');
    std::string_view comp = slash == std::string_view::npos ? path : path.substr(0, slash);
    if (comp.size() > kMaxComponent) comp = comp.substr(0, kMaxComponent);
    if (slash == std::string_view::npos) return {std::string(comp), {}, false};
    return {std::string(comp) + '\\', path.substr(slash + 1), true};
  }

  // Made by the first insertion: every block is a document with two trees,
  // and most blocks hold neither layers nor blocks of their own. A node is
  // 56 bytes from a pool: keys of up to 14 bytes stay inside it.
  using Key = KSmallString;
  using Map = std::map<Key, Node, std::less<>, KPoolAllocator<std::pair<const Key, Node>>>;
  std::unique_ptr<Map> nodes_;
};
