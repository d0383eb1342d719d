// WriteDocument and WriteBlock: blocks, the leading step list, layers and
// entries, with the colour, text-property and embellishment lines that make
// the reader give every entry and layer what it had.
//
// The reader keeps a state while it reads (colour, current layer, pending
// text properties, pending embellishment) and stamps it on every entry it
// adds. The writer follows that state line by line and writes a line only
// where the state must change for the next entry. Pending values are shared
// objects: every entry added while one is pending gets the same object, so
// the writer tracks which object of the document the reader's pending value
// stands for and writes a new block only when the next entry carries a
// different one. "layer T" / "layer E" hand the pending value to the current
// layer and leave nothing pending; that is also the only way to get an
// entry without text properties or embellishment of its own.
//
// What the format cannot say: entries that share one object are read back
// sharing one object only while it stays pending (a value that comes back
// after another one is written again, as an equal copy); a layer default is
// an equal copy of, not the same object as, the entries' value it came
// from; see also the notes in the element writers.
#include <set>

#include "model/curves/kembellish.h"
#include "model/document/elements.h"
#include "model/document/kones.h"
#include "io/document/writer_parts.h"
#include "platform/base/progress.h"

namespace {

// The layer the reader creates for an entry when none is current.
constexpr const char* kDefaultLayer = "0";

// What the reader holds as pending text properties.
enum class Held {
  kFreshDefault,  // the default object a new document starts with, not yet tied to one of ours
  kNothing,       // nothing: "layer T" took it
  kObject,        // a copy of one object of the document being written
};

class DocumentText {
public:
  DocumentText(KOutput& out, KLayerMoves& moves, KProgressSink* progress = nullptr)
      : out_(out), moves_(moves), progress_(progress) {}

  void Write(KOnes& doc, bool topLevel) {
    if (topLevel) WriteLeadingSteps(doc);
    doc.blocks.EnumeratePaths("", [&](const std::string& path, KOnes* block) {
      if (block) WriteBlockText(*block, path);
    });

    std::set<const KLayer*> used;
    for (const auto& entry : doc.entries)
      if (Written(doc, *entry) && entry->layer) used.insert(entry->layer);
    // Layers no entry stands on still carry a state and defaults.
    for (const auto& layer : doc.OwnedLayers())
      if (!used.count(layer) && !established_.count(layer)) SelectLayer(*layer);

    KProgressSink* progress = topLevel ? progress_ : nullptr;
    if (progress) progress->SetTotal(static_cast<std::int64_t>(doc.entries.size()));
    std::int64_t done = 0;
    for (const auto& entry : doc.entries) {
      if (progress) progress->SetPos(done++);
      if (!Written(doc, *entry)) continue;
      if (entry->layer && entry->layer != layer_) SelectLayer(*entry->layer);
      SetColour(entry->colour);
      HoldEmbellishment(entry->Embellishment().get());
      HoldTextProperties(entry->TextProperties().get());
      WriteElement(out_, *entry);
    }

    if (progress) progress->SetPos(done);
    PayDefaults();
    // Reading more into the document continues with its colour and pending
    // values, so a document that is read back does too.
    if (topLevel) {
      SetColour(doc.currentColour);
      HoldEmbellishment(doc.PendingEmbellishment().get());
      HoldTextProperties(doc.PendingTextProperties().get());
    }
    moves_.moves.emplace_back(&doc, layer_);
  }

private:
  static bool LeadingSteps(const KOnes& doc, const KEntry& entry) {
    return !doc.entries.empty() && doc.entries.front().get() == &entry && entry.kind == kKindStepList;
  }
  // Step lists are written only at the head of a document; every other kind
  // goes through the entry loop.
  static bool Written(const KOnes& doc, const KEntry& entry) {
    return entry.kind != kKindStepList && !LeadingSteps(doc, entry);
  }

  // A STEP file starts with its step lines, so they come before anything
  // else, blocks included.
  void WriteLeadingSteps(KOnes& doc) {
    if (doc.entries.empty()) return;
    const KEntry& first = *doc.entries.front();
    const auto* steps = first.As<KStepList>();
    if (first.kind != kKindStepList || !steps) return;
    WriteStepList(out_, *steps);
    // The reader stamps its starting state on the step list; tie the
    // starting text properties to the step list's where they are equal.
    if (first.TextProperties() && SameTextProperties(*first.TextProperties(), KTextProperties()))
      HoldTextProperties(first.TextProperties().get());
    // The reader puts the step list on a new layer "0" and keeps it current;
    // that layer needs lines only when it has a state or defaults.
    KLayer* layer = first.layer;
    if (!layer || layer->name != kDefaultLayer) return;
    layer_ = layer;
    if (layer->state == kViewAndEdit && !layer->TextProperties() && !layer->Embellishment())
      established_.insert(layer);
    else
      SelectLayer(*layer);
  }

  void WriteBlockText(KOnes& block, const std::string& path) {
    out_ << "new " << OneWord(path) << kCrLf;
    DocumentText(out_, moves_).Write(block, false);
    out_ << "endnew " << kCrLf;
  }

  // Selects the layer. The first time, its defaults are owed: they are
  // handed to it ("layer T" / "layer E") when the pending value has to be
  // let go anyway, or else before the next layer is selected and at the
  // end, so a value the layer shares with its entries is written once.
  void SelectLayer(KLayer& layer) {
    PayDefaults();
    WriteLayerLines(out_, layer);
    layer_ = &layer;
    if (!established_.insert(&layer).second) return;
    if (layer.TextProperties()) owesTextProperties_ = true;
    if (layer.Embellishment() && CanWriteEmbellishment(*layer.Embellishment())) owesEmbellishment_ = true;
  }

  void PayDefaults() {
    if (owesTextProperties_) {
      HoldTextProperties(layer_->TextProperties().get());
      TextPropertiesToLayer();
    }
    if (owesEmbellishment_) {
      HoldEmbellishment(layer_->Embellishment().get());
      EmbellishmentToLayer();
    }
  }

  void SetColour(int colour) {
    if (colour == colour_) return;
    out_ << "Color " << std::to_string(colour) << kCrLf;
    colour_ = colour;
  }

  void TextPropertiesToLayer() {
    out_ << "layer Textproperties" << kCrLf;
    tpHeld_ = Held::kNothing;
    tp_ = nullptr;
    owesTextProperties_ = false;
  }

  void EmbellishmentToLayer() {
    out_ << "layer Embellish" << kCrLf;
    em_ = nullptr;
    owesEmbellishment_ = false;
  }

  // Makes the reader hold tp (a copy of it), or nothing for null.
  void HoldTextProperties(const KTextProperties* tp) {
    if (!tp) {
      LetGoTextProperties();
      return;
    }
    if (tpHeld_ == Held::kObject && tp_ == tp) return;
    if (tpHeld_ == Held::kFreshDefault && SameTextProperties(*tp, KTextProperties())) {
      tpHeld_ = Held::kObject;
      tp_ = tp;
      return;
    }
    WriteTextProperties(out_, *tp);
    tpHeld_ = Held::kObject;
    tp_ = tp;
  }

  // Only "layer T" leaves nothing pending, and it gives the current layer
  // what was pending: give it its own default first (or hand twice when it
  // has none), so the layer keeps what it had.
  void LetGoTextProperties() {
    if (tpHeld_ == Held::kNothing || !layer_) return;
    if (layer_->TextProperties()) {
      HoldTextProperties(layer_->TextProperties().get());
      TextPropertiesToLayer();
    } else {
      TextPropertiesToLayer();
      TextPropertiesToLayer();
    }
  }

  // Makes the reader hold em (a copy of it), or nothing for null or for an
  // embellishment the format cannot say.
  void HoldEmbellishment(const KEmbellish* em) {
    if (em && !CanWriteEmbellishment(*em)) em = nullptr;
    if (!em) {
      LetGoEmbellishment();
      return;
    }
    if (em_ == em) return;
    WriteEmbellishment(out_, *em);
    em_ = em;
  }

  void LetGoEmbellishment() {
    if (!em_ || !layer_) return;
    const KEmbellish* own = layer_->Embellishment().get();
    if (own && CanWriteEmbellishment(*own)) {
      HoldEmbellishment(own);
      EmbellishmentToLayer();
    } else {
      EmbellishmentToLayer();
      EmbellishmentToLayer();
    }
  }

  KOutput& out_;
  KLayerMoves& moves_;
  KProgressSink* progress_ = nullptr;
  // The reader's state after the text written so far, as a new document
  // starts it.
  int colour_ = 0;
  KLayer* layer_ = nullptr;
  Held tpHeld_ = Held::kFreshDefault;
  const KTextProperties* tp_ = nullptr;
  const KEmbellish* em_ = nullptr;
  // Layers selected once already, and whether the current one still waits
  // for its defaults.
  std::set<const KLayer*> established_;
  bool owesTextProperties_ = false;
  bool owesEmbellishment_ = false;
};

}  // namespace

void KLayerMoves::Apply() const {
  for (const auto& [doc, layer] : moves) doc->SetCurrentLayer(layer);
}

void WriteDocumentText(KOutput& out, KOnes& doc, KLayerMoves& moves, KProgressSink* progress) {
  DocumentText(out, moves, progress).Write(doc, true);
}

void WriteDocument(KOutput& out, KOnes& doc) {
  KLayerMoves moves;
  WriteDocumentText(out, doc, moves);
  moves.Apply();
}

void WriteBlock(KOutput& out, KOnes& block, const std::string& path) {
  KLayerMoves moves;
  out << "new " << OneWord(path) << kCrLf;
  DocumentText(out, moves).Write(block, false);
  out << "endnew " << kCrLf;
  moves.Apply();
}
