// Where new entries go, layer states and entry properties from the editor:
// the current layer when it shows them and lets them be edited, else the
// layer the user names; each change one undo step.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "model/document/elements.h"
#include "model/document/klayer.h"
#include "model/grid/fxy_input.h"
#include "platform/resources/menus.h"
#include "tests/support/temp_dir.h"
#include "tests/support/window_fixture.h"

namespace {

// Layers: roads (view and edit), wells (view only), grid (hidden, current).
const char* kLayers =
    "Layer M roads\nPline\n0,0\n10,0\n\n"
    "Layer M wells\nLayer ViewNotEdit\nPline\n0,5\n10,5\n\n"
    "Layer M grid\nLayer NotViewNotEdit\n";

class LayerChoice : public KWindowTest {
protected:
  void SetUp() override {
    Open(kLayers);
    window.SetHost(&host);
  }
  void DrawCurve() {
    window.viewState = kCmdCurve;
    Drag({{1, 20}, {2, 21}, {3, 20}});
  }
  std::string LayerOfNewest() const { return window.entries.back()->layer->name.str(); }
  KLayer& LayerNamed(const char* path) { return *window.layers.LookupPath(path); }
};

TEST_F(LayerChoice, AHiddenOrLockedCurrentLayerAsksAndTheAnswerHolds) {
  struct Case {
    const char* current;
    std::optional<std::string> answer;  // nullopt: the host does not ask
    std::size_t entries;                // after one curve
    const char* layer;                  // of the newest entry, and current after
    const char* notice;
  };
  const Case cases[] = {
      {"roads", std::nullopt, 3, "roads", ""},
      {"grid", "roads", 3, "roads", ""},
      {"wells", "fresh\\layer", 3, "fresh\\layer", ""},
      {"grid", "", 2, "grid", "Not added: no layer was chosen for the curve"},
      {"grid", "wells", 2, "grid", "Not added: no layer was chosen for the curve"},  // view only will not do
      {"grid", "bad name", 2, "grid", "Not added: no layer was chosen for the curve"},
      {"grid", std::nullopt, 3, "grid", "The curve went to the hidden layer 'grid'"},
      {"wells", std::nullopt, 3, "wells", "The curve went to the locked layer 'wells'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.current) + " -> " + c.answer.value_or("(no question)"));
    window.entries.resize(2);
    window.ChooseNewEntryLayer(&LayerNamed(c.current));
    host.layerQuestions.clear();
    if (c.answer) host.layerAnswers = {*c.answer};
    DrawCurve();
    EXPECT_EQ(window.entries.size(), c.entries);
    EXPECT_EQ(LayerOfNewest(), c.entries == 3 ? c.layer : "wells");
    EXPECT_EQ(window.NewEntryLayer()->name, c.layer);
    EXPECT_EQ(window.Input().Notice(), c.notice);
    EXPECT_EQ(host.layerQuestions.size(), c.answer ? 1u : 0u);
    EXPECT_TRUE(host.layerAnswers.empty());
  }
  // The answer is remembered: the next curve goes there without a question.
  window.ChooseNewEntryLayer(&LayerNamed("grid"));
  host.layerAnswers = {"roads"};
  DrawCurve();
  DrawCurve();
  EXPECT_EQ(host.layerQuestions.size(), 1u);
  EXPECT_EQ(host.layerQuestions.back(), "The current layer 'grid' is hidden");
  EXPECT_EQ(LayerOfNewest(), "roads");
}

TEST_F(LayerChoice, AStrokeThatSplicesIsNotAskedAboutAndMergedCurvesAre) {
  host.layerAnswers = {"roads"};
  window.viewState = kCmdCurveModify;
  Drag({{12, 1}, {15, 1}});  // into roads' curve: spliced, no new entry
  EXPECT_EQ(window.entries.size(), 2u);
  EXPECT_TRUE(host.layerQuestions.empty());

  host.layerAnswers = {"merged"};
  const std::size_t before = window.entries.size();
  ASSERT_TRUE(window.MergeCurves(QUARVEL_TEST_DATA "/curves_two_groups.kcx"));
  ASSERT_GT(window.entries.size(), before);
  EXPECT_EQ(host.layerQuestions.size(), 1u);
  for (std::size_t i = before; i < window.entries.size(); ++i) EXPECT_EQ(window.entries[i]->layer->name, "merged");
  window.Undo();
  EXPECT_EQ(window.entries.size(), before);
}

// The map as a new user meets it: its current layer is the hidden x, y, z
// layer. The curve drawn goes to the layer chosen, and gridding the saved
// map reads the map's own points only.
TEST_F(KWindowTest, ACurveDrawnOnTheBundledMapStaysOutOfTheGriddedValues) {
  ASSERT_TRUE(window.Open(QUARVEL_SOURCE_DIR "/examples/map.qvd"));
  const std::size_t points = GatherFxyInput(window).points.size();
  window.SetHost(&host);
  host.layerAnswers = {"planned"};
  window.viewState = kCmdCurveClick;
  for (double x : {10.0, 20.0, 30.0, 40.0}) Down(x, 10);
  DoubleClick(40, 10);
  EXPECT_EQ(window.entries.back()->layer->name, "planned");
  TempDir dir;
  ASSERT_TRUE(window.Save(dir.File("map.qvd")));
  QuarvelWindow saved;
  ASSERT_TRUE(saved.Open(dir.File("map.qvd")));
  EXPECT_EQ(points, 40u);
  EXPECT_EQ(GatherFxyInput(saved).points.size(), points);
  // Saving moves the drawing's current layer to the last one written; the
  // user's choice holds all the same.
  Down(10, 20);
  DoubleClick(20, 20);
  EXPECT_EQ(window.entries.back()->layer->name, "planned");
  EXPECT_EQ(host.layerQuestions.size(), 1u);
}

// Each change restores exactly on undo and comes back on redo.
TEST_F(LayerChoice, StatesPropertiesAndLayerMovesUndo) {
  const auto edit = [](const char* what, KEntryEdit e) { return std::make_pair(std::string(what), e); };
  KEntryEdit colour, record, moved, movedNew;
  colour.red = 10, colour.green = 20, colour.blue = 30;
  record.name = "fault_7", record.width = 2.5, record.code = 42, record.z = std::vector<double>{-1200, -1250};
  moved.layer = "wells";
  movedNew.layer = "faults\\north";
  for (const auto& [what, e] : {edit("colour", colour), edit("record", record), edit("layer", moved)}) {
    SCOPED_TRACE(what);
    const std::string before = Text();
    std::string why;
    ASSERT_TRUE(window.EditEntry(*window.entries[0], e, why)) << why;
    const std::string after = Text();
    EXPECT_NE(after, before);
    ASSERT_TRUE(window.Undo());
    EXPECT_EQ(Text(), before);
    ASSERT_TRUE(window.Redo());
    EXPECT_EQ(Text(), after);
    window.Undo();
  }
  // A new layer made for the entry stays when the move is undone.
  std::string why;
  const KLayer* newEntries = window.NewEntryLayer();
  ASSERT_TRUE(window.EditEntry(*window.entries[0], movedNew, why));
  EXPECT_EQ(window.entries[0]->layer->name, "faults\\north");
  EXPECT_EQ(window.NewEntryLayer(), newEntries);  // new curves still go where they went
  ASSERT_TRUE(window.Undo());
  EXPECT_EQ(window.entries[0]->layer->name, "roads");

  const std::string before = Text();
  EXPECT_TRUE(window.SetLayerState(LayerNamed("roads"), kNotViewNotEdit));
  EXPECT_FALSE(window.SetLayerState(LayerNamed("roads"), kNotViewNotEdit));
  EXPECT_NE(Text(), before);
  EXPECT_EQ(window.History().UndoName(), "Layer roads");
  ASSERT_TRUE(window.Undo());
  EXPECT_EQ(LayerNamed("roads").state, kViewAndEdit);
  EXPECT_EQ(Text(), before);
}

TEST_F(LayerChoice, PropertiesShownAndEditsThatDoNotFitChangeNothing) {
  Open("RGB 255 128 1\nLayer M roads\nPline.f1\n0,0,5\n10,0,6\nW 1.5\ncode 3\n\n\nPoint 4,4,7 W12\n");
  const KEntryProperties line = PropertiesOf(*window.entries[2]);
  EXPECT_EQ(line.kind, "polyline");
  EXPECT_EQ(line.layer, "roads");
  EXPECT_EQ(std::make_tuple(line.red, line.green, line.blue), std::make_tuple(255, 128, 1));
  EXPECT_EQ(line.name, "F1");  // the reader upper-cases names
  EXPECT_EQ(line.z, (std::vector<double>{5, 6}));
  EXPECT_EQ(std::make_pair(line.width, line.code), std::make_pair(1.5, 3));
  EXPECT_TRUE(line.editable && line.movable && line.hasWidthAndCode);
  const KEntryProperties point = PropertiesOf(*window.entries[3]);
  EXPECT_EQ(point.kind, "point");
  EXPECT_EQ(point.name, "W12");
  EXPECT_EQ(point.z, (std::vector<double>{7}));
  EXPECT_FALSE(point.hasWidthAndCode);
  EXPECT_FALSE(PropertiesOf(*window.entries[1]).editable);  // wells: view only

  struct Refused {
    std::size_t entry;
    KEntryEdit edit;
    const char* why;
  };
  std::vector<Refused> refused(6);
  refused[0] = {2, {}, "give one z, or one z for each of the 2 vertices"};
  refused[0].edit.z = std::vector<double>{1, 2, 3};
  refused[1] = {2, {}, "a colour component lies outside 0 to 255"};
  refused[1].edit.blue = 256;
  refused[2] = {2, {}, "the width must be a number of at least 0"};
  refused[2].edit.width = -1;
  refused[3] = {3, {}, "only a polyline has a width and a code"};
  refused[3].edit.code = 1;
  refused[4] = {2, {}, "a layer name has no blanks, commas or control characters"};
  refused[4].edit.layer = "new layer";
  refused[5] = {2, {}, ""};  // nothing asked, nothing changed
  const std::string before = Text();
  for (const Refused& r : refused) {
    std::string why;
    EXPECT_FALSE(window.EditEntry(*window.entries[r.entry], r.edit, why)) << r.why;
    EXPECT_EQ(why, r.why);
  }
  EXPECT_EQ(Text(), before);
  EXPECT_FALSE(window.History().CanUndo());
}

TEST_F(LayerChoice, NewLayerNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"faults\\north", ""},
      {"", "a layer needs a name"},
      {"faults\\", "'faults\\' names a group, not a layer"},
      {"a\\\\b", "'a\\\\b' has an empty part"},
      {"faults", "'faults' is a group"},
      {"two words", "a layer name has no blanks, commas or control characters"},
  };
  for (const auto& [path, problem] : cases) {
    std::string why;
    KLayer* made = window.NewLayer(path, &why);
    EXPECT_EQ(why, problem) << path;
    EXPECT_EQ(made != nullptr, *problem == '\0') << path;
    if (made) {
      EXPECT_EQ(window.CurrentLayer(), made);
    }
  }
}

}  // namespace
