#pragma once
// Block names resolved during one paint: in the innermost document being
// drawn, with the stack of documents being drawn that bounds how deep
// insertions nest. Nothing is written into the documents; what a drawing
// looked up is remembered here, for that drawing only.
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

class KOnes;

class KBlockResolver {
public:
  // Blocks nest at most this deep (counting the document drawn first).
  static constexpr int kMaxDepth = 32;

  // Makes document the innermost one being drawn, until Leave. What was
  // remembered is forgotten when the outermost document is left: a
  // document holds still only while it is drawn.
  void Enter(const KOnes& document) { drawing_.push_back(&document); }
  void Leave();
  // False when drawing block now would insert it into itself, or nest
  // deeper than kMaxDepth.
  bool MayDraw(const KOnes& block) const;

  // The block named in the innermost document being drawn, or null.
  const KOnes* Lookup(const std::string& name) const;
  // The same, remembered by record until the outermost document is left:
  // for records the documents being drawn own (insertions, text
  // properties), which neither change nor move while they are drawn.
  const KOnes* LookupFor(const void* record, const std::string& name);

private:
  struct Key {
    const KOnes* document;
    const void* record;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& k) const {
      const std::hash<const void*> h;
      return h(k.document) * 31 + h(k.record);
    }
  };

  std::vector<const KOnes*> drawing_;   // outermost first
  std::unordered_map<Key, const KOnes*, KeyHash> resolved_;
};
