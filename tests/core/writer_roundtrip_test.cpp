// Saving and reading back: every drawing of the repository, and drawings
// made to exercise what the writer must carry over (colours, layer states
// and defaults, text properties and embellishments shared or not, FONT
// texts, rasters, x, y, z lists, nested blocks, step lists).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "model/curves/kembellish.h"
#include "io/document/writer.h"
#include "tests/core/writer_compare.h"
#include "tests/support/file_bytes.h"
#include "tests/support/temp_dir.h"
#include "window/editor/quarvel_window.h"

namespace {

namespace fs = std::filesystem;
using writer_compare::Differences;

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// The extension decides the reader, as it does for OnOpenDocument.
std::string Extension(const fs::path& path) {
  std::string ext = path.extension().string();
  return Upper(ext.empty() ? ext : ext.substr(1));
}

// Drawings by extension, and the extension-less inputs of the test corpus
// (truncated, garbled and hostile drawings, read as text drawings).
bool IsDrawing(const fs::path& path) {
  const std::string ext = Extension(path);
  if (path.extension().empty()) return path.parent_path().filename() == "corpus";
  return ext == "QVD" || ext.rfind("STEP", 0) == 0 || ext.rfind("KCX", 0) == 0;
}

// A step list is read back only from a step file; curve arrays are written
// as polylines of a drawing.
std::string SavedName(const fs::path& input) {
  return Extension(input).rfind("STEP", 0) == 0 ? "saved.step" : "saved.qvd";
}

std::string Text(KOnes& doc) {
  KStringOutput out;
  WriteDocument(out, doc);
  return out.text;
}

// Saves original under name, opens the file into a new window and returns
// the differences ("" when none).
std::string RoundTrip(QuarvelWindow& original, const TempDir& dir, const std::string& name,
                      std::string* savedText = nullptr) {
  const std::string path = dir.File(name);
  if (original.OnSaveDocument(path) != 1) return "save failed";
  QuarvelWindow back;
  if (back.OnOpenDocument(path) != 1) return "saved file does not open";
  if (savedText) *savedText = Text(back);
  return Differences(original, back);
}

std::string RoundTripText(const std::string& drawing, std::string* savedText = nullptr) {
  TempDir dir;
  QuarvelWindow original;
  original.OnOpenDocumentMem(drawing);
  return RoundTrip(original, dir, "memory.qvd", savedText);
}

TEST(WriterRoundTrip, EveryDrawingOfTheRepository) {
  std::vector<fs::path> drawings;
  for (const char* top : {"examples", "tests"}) {
    const fs::path root = fs::path(QUARVEL_SOURCE_DIR) / top;
    if (!fs::exists(root)) continue;
    for (const auto& item : fs::recursive_directory_iterator(root))
      if (item.is_regular_file() && IsDrawing(item.path())) drawings.push_back(item.path());
  }
  std::sort(drawings.begin(), drawings.end());
  // Step files and curve files among them (tests/data has one of each made
  // for this), so both readers' documents are saved too.
  for (const char* kind : {"STEP", "KCX"})
    EXPECT_GE(std::count_if(drawings.begin(), drawings.end(),
                            [&](const fs::path& p) { return Extension(p).rfind(kind, 0) == 0; }),
              2)
        << kind;

  TempDir dir;
  for (const fs::path& drawing : drawings) {
    SCOPED_TRACE(drawing.string());
    QuarvelWindow original;
    ASSERT_EQ(original.OnOpenDocument(drawing.string()), 1);
    std::string twice;
    EXPECT_EQ(RoundTrip(original, dir, SavedName(drawing), &twice), "");
    // Saving what was read back gives the same text again (a curve file
    // comes back as a drawing of its polylines, so only from then on).
    if (Extension(drawing).rfind("KCX", 0) == 0) continue;
    const std::string once = ReadFileBytes(dir.File(SavedName(drawing)));
    const auto at = std::mismatch(once.begin(), once.end(), twice.begin(), twice.end());
    EXPECT_TRUE(once == twice) << "saved texts differ from byte " << (at.first - once.begin()) << ": \""
                               << std::string(at.first, std::min(at.first + 60, once.end())) << "\" vs \""
                               << std::string(at.second, std::min(at.second + 60, twice.end())) << "\"";
  }
  std::printf("[ round trip ] %zu drawings\n", drawings.size());
}

TEST(WriterRoundTrip, ComparisonSeesEveryKindOfDifference) {
  // The comparison must fail where the documents differ, or the round trips
  // above prove nothing.
  const std::string base =
      "Layer M a\nRGB 1 2 3\nPline.N\n0,0\n1,1\n\nPoint 1,2,3 p\n"
      "TextProperties\nMark 1 2 3 m\n\nPoint 4,5 q\nEmbellish\nArrowHead 0.5 -255\n\nPline\n0,0\n2,2\n\n";
  QuarvelWindow a;
  a.OnOpenDocumentMem(base);
  const auto differs = [&](const std::string& other) {
    QuarvelWindow b;
    b.OnOpenDocumentMem(other);
    return Differences(a, b);
  };
  EXPECT_EQ(differs(base), "");
  // One field changed in place, then one thing added at the end.
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"RGB 1", "RGB 9"}, {"M a", "M b"},
                                 {"1,1", "1,1.0001"}, {"3 p", "3 r"}, {"3 m", "4 m"}, {"0.5", "0.6"}}) {
    std::string v = base;
    EXPECT_NE(differs(v.replace(v.find(from), from.size(), to)), "") << from;
  }
  for (const char* extra : {"Layer ViewNotEdit\n", "Point 9,9 extra\n", "New blk\nPoint 1,1 b\nEndNew\n"})
    EXPECT_NE(differs(base + extra), "") << extra;
}

// Drawings made to exercise what the writer must carry over; each must read
// back as it was.
struct Drawing {
  const char* name;
  std::string text;
};
void PrintTo(const Drawing& d, std::ostream* os) { *os << d.name; }

const std::string kTp1 = "TextProperties\nFont 0 700 1 0 0 1 0 0 0 0 Times New Roman\nMark 1.5 2.25 30 sym\n"
                         "Text 0.6 0.24 0 0.43 0.2\nColor -65535\n\n";
const std::string kTp2 = "TextProperties\nMark 3 3 0\n\n";

const Drawing kDrawings[] = {
    {"ColoursLayersAndStates",
     "Pline\n0,0\n1,0\n\nRGB 255 0 0\nLayer M faults\\major\nLayer NotViewNotEdit\nPline\n0,0\n0,1\n\nColor 0\n"
     "Layer M 0\nPoint 1,1 a\nLayer M faults\\major\nColor -16711680\nPoint 2,2 b\nLayer M hidden\\empty\n"
     "Layer ViewNotEdit\n"},
    // Entries before any block carry the starting default; a block is shared
    // by the entries after it; "layer T" hands it to a layer and leaves the
    // entries after it without their own, then a later block is pending again.
    {"TextPropertiesSharedAndHandedToLayers",
     "Point 0,0 d\n" + kTp1 + "Point 1,1 a\nPoint 2,2 b\nLayer M l1\nLayer T\nPoint 3,3 c\nLayer M l2\nPoint 4,4 e\n" +
         kTp2 + "Point 5,5 f\nLayer M l1\nPoint 6,6 g\n"},
    // A layer whose default is nothing, and an entry carrying nothing on a
    // layer that has a default.
    {"TextPropertiesNoneOnALayerWithOne",
     kTp1 + "Layer M a\nLayer T\nLayer M b\nPoint 1,1 x\nLayer M a\nPoint 2,2 y\n" + kTp2 + "Point 3,3 z\n"},
    // A default given to a layer without entries, and the default of layer 0
    // handed over twice.
    {"TextPropertiesOnEmptyLayersAndTwice",
     kTp2 + "Layer M only\\defaults\nLayer T\nLayer ViewNotEdit\nLayer M 0\nLayer T\nPoint 1,1 x\n" + kTp1 +
         "Layer T\n"},
    {"EmbellishmentsOfEveryItem",
     "CurveEmbellish\nArrowHead\n0.5 -255\nArrowTail 0.25 -65280\nProperties\n0.1 -255 BS 1\nVir\n2 1 0.5\n"
     "Properties 0.2 -3 C 0\nnothing\nInName 0.3 2 255 0.05 0.02 65280 Vdash\nskipped\n1.5 0.5\n"
     "InName 0.3 1 0 0 -1 0 BC\nLocate 10 0.2 0.3 90 0 20 0.1 0 B -255\n"
     "Scale well\\sym 5 0.5 0.5 0 -1 -2 0 1 S\nNoDraw\n\nPline\n0,0\n10,0\n\nLayer M e\nLayer E\nPline\n0,0\n0,10\n\n"
     "Layer M f\nPline\n1,1\n2,2\n\nEmbellish\nArrowHead 1 0\n\nPline\n3,3\n4,4\n\nLayer M e\nPline\n5,5\n6,6\n\n"},
    {"FontTextsBitmapsGridsLogos",
     "FONT 10.5,20.25\nA text with  blanks \n2.5 7.75 15 900 700 1 1 0 0 3 2 1 34 Courier New\n"
     "FONT 1,2\n\n1 2 3 0 400 0 0 0 0 0 0 0 0\nText 1,2 3 45 plain text stays text\n"
     "BMPIN missing.png 3\n0,0\n10.5,20\nGRID3D no such grid file.grd\nLOGO 5,6 2 3 10\n"},
    // The reader cuts words and lines at its buffer; what it read that way
    // must come back the same, and what follows must not shift.
    {"WordsAndLinesThatFillTheReadersBuffer",
     "Insert " + std::string(3000, 'n') + " 1,2 3 4 5\nText 1,1 2 0 " + std::string(2560, 't') +
         "\nPoint 3,3 after\nFONT 1,1\n" + std::string(2560, 't') +
         "\n1 2 3 0 700 0 0 0 0 0 0 0 0 Face\nPoint 4,4 last\n"},
    {"BlocksHoldingOnlyBlocksAndEmptyBlocks",
     "New outer\nNew outer\\inner\nPline\n0,0\n1,1\n\nEndNew\nEndNew\nNew empty\nEndNew\nNew layersonly\n"
     "Layer M x\nLayer NotViewNotEdit\nEndNew\nInsert outer\\inner 1,1 2 2 0\n"},
    // After reading, a document keeps its colour and pending values for what
    // is added next (digitised curves, further files).
    {"PendingStateAtTheEnd",
     "Point 1,1 a\nRGB 0 0 255\nTextProperties\nMark 9 9 9\n\nEmbellish\nArrowHead 1 0\n\n"},
    {"PendingStateHandedToALayer", "TextProperties\nMark 9 9 9\n\nLayer M a\nLayer T\nPoint 1,1 a\n"},
};

class WriterRoundTripOf : public ::testing::TestWithParam<Drawing> {};
INSTANTIATE_TEST_SUITE_P(Drawings, WriterRoundTripOf, ::testing::ValuesIn(kDrawings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_P(WriterRoundTripOf, ReadsBackAsItWas) { EXPECT_EQ(RoundTripText(GetParam().text), ""); }

TEST(WriterRoundTrip, SharedTextPropertiesAreWrittenOnce) {
  std::string saved;
  ASSERT_EQ(RoundTripText("TextProperties\nMark 2 2 0\n\nPoint 1,1 a\nPoint 2,2 b\nPoint 3,3 c\n", &saved), "");
  std::size_t blocks = 0;
  for (std::size_t at = saved.find("TextProperties"); at != std::string::npos;
       at = saved.find("TextProperties", at + 1))
    ++blocks;
  EXPECT_EQ(blocks, 1u) << saved;
  // Entries with the starting default need no block at all.
  ASSERT_EQ(RoundTripText("Point 1,1 a\nPoint 2,2 b\n", &saved), "");
  EXPECT_EQ(saved.find("TextProperties"), std::string::npos) << saved;
}

TEST(WriterRoundTrip, XyzListsWithNegativeFirstXAndWhatFollows) {
  std::string saved;
  EXPECT_EQ(RoundTripText("XYZ\n-7,8,9,2,12\n1.5,2.5,3.5\n\nPoint 1,1 after\nXYZ -1,-2,-3\n\n", &saved), "");
  EXPECT_NE(saved.find("XYZ\r\n-7,8,9,2,12\n"), std::string::npos) << saved;
}

TEST(WriterRoundTrip, StepListAloneOnALayerWithAState) {
  TempDir dir;
  QuarvelWindow original;
  ASSERT_EQ(original.OnOpenDocument(dir.Write("stateful.step", "calc\n''\nLayer ViewNotEdit\n")), 1);
  ASSERT_EQ(original.entries.front()->layer->state, kViewNotEdit);
  EXPECT_EQ(RoundTrip(original, dir, "saved.step"), "");
}

// Any mix of own and layer values, shared or not, must come back: entries
// and layers are given text properties and embellishments at random from a
// small pool (null included), which reading alone would rarely produce.
TEST(WriterRoundTrip, AnyMixOfOwnAndLayerPropertiesComesBack) {
  std::mt19937 random(20240607);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };

  std::vector<std::shared_ptr<KTextProperties>> tps = {nullptr, std::make_shared<KTextProperties>(),
                                                        std::make_shared<KTextProperties>(),
                                                        std::make_shared<KTextProperties>()};
  tps[2]->markName = "sym";
  tps[2]->markHeight = 2.5;
  tps[3]->labelColour = -65535;
  tps[3]->labelFont.faceName = "Arial";
  std::vector<std::shared_ptr<KEmbellish>> ems = {nullptr, std::make_shared<KEmbellish>(),
                                                   std::make_shared<KEmbellish>()};
  KEmbellish::CurvePlay arrow;
  arrow.type = KEmbellish::kArrowHead;
  arrow.item = KArrowItem{0.5, -255};
  ems[1]->items.push_back(arrow);
  KLineItem line;
  line.width = 0.1;
  line.colour = -3;
  line.dashes = {2, 1};
  line.squareCap = 1;
  KEmbellish::CurvePlay properties;
  properties.type = KEmbellish::kProperties;
  properties.item = line;
  ems[2]->items.push_back(properties);
  ems[2]->noDraw = true;

  TempDir dir;
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    QuarvelWindow doc;
    const char* names[] = {"a", "b", "c\\d", "0"};
    for (const char* name : names) {
      doc.SelectLayer(name);
      doc.CurrentLayer()->state = pick(3);
      doc.CurrentLayer()->SetTextProperties(tps[pick(4)]);
      doc.CurrentLayer()->SetEmbellishment(ems[pick(3)]);
    }
    const int entries = 1 + pick(12);
    for (int i = 0; i < entries; ++i) {
      doc.SelectLayer(names[pick(4)]);
      doc.currentColour = -pick(3);
      auto point = std::make_unique<KPointText>();
      point->x = i;
      point->label = "p" + std::to_string(i);
      KEntry& e = doc.AddEntry(kKindPoint, std::move(point));
      e.SetTextProperties(tps[pick(4)]);
      e.SetEmbellishment(ems[pick(3)]);
    }
    doc.SetPendingTextProperties(tps[pick(4)]);
    doc.SetPendingEmbellishment(ems[pick(3)]);
    doc.currentColour = -pick(3);
    ASSERT_EQ(RoundTrip(doc, dir, "mix.qvd"), "");
  }
}

}  // namespace
