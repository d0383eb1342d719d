#pragma once
// A host for the window's handlers that answers from a script and keeps
// what it was asked.
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "window/editor/window_host.h"

class KScriptedHost : public KWindowHost {
public:
  std::deque<int> choices;         // TrackPopup answers, oldest first; 0 when none left
  std::deque<std::string> files;   // AskOpenFile answers
  KResult startResult;             // what StartDetached answers
  // AskLayer answers, oldest first; when none are left the host does not ask.
  std::deque<std::optional<std::string>> layerAnswers;
  std::vector<std::string> layerQuestions;

  struct Shown {
    std::string popup;
    int checked = 0;
  };
  std::vector<Shown> shown;
  std::vector<std::pair<std::string, std::string>> asked;  // extension, filter
  std::vector<std::vector<std::string>> started;           // program, then arguments
  std::vector<std::string> status;
  std::vector<std::string> openedDrawings;                 // OpenDrawing paths
  int classDialogs = 0;

  int TrackPopup(const KMenuNode& popup, KDevicePoint, int checked) override {
    shown.push_back({popup.text, checked});
    if (choices.empty()) return 0;
    const int id = choices.front();
    choices.pop_front();
    return id;
  }
  std::string AskOpenFile(const std::string& extension, const std::string& filter) override {
    asked.emplace_back(extension, filter);
    if (files.empty()) return "";
    std::string path = files.front();
    files.pop_front();
    return path;
  }
  KResult StartDetached(const std::string& program, const std::vector<std::string>& arguments) override {
    std::vector<std::string> call{program};
    call.insert(call.end(), arguments.begin(), arguments.end());
    started.push_back(call);
    return startResult;
  }
  void ShowStatus(const std::string& text) override { status.push_back(text); }
  KResult OpenDrawing(QuarvelWindow& window, const std::string& path) override {
    openedDrawings.push_back(path);
    return KWindowHost::OpenDrawing(window, path);
  }
  void ShowClassDialog(QuarvelWindow&) override { ++classDialogs; }
  std::optional<std::string> AskLayer(QuarvelWindow&, const std::string& why) override {
    if (layerAnswers.empty()) return std::nullopt;
    layerQuestions.push_back(why);
    std::optional<std::string> answer = layerAnswers.front();
    layerAnswers.pop_front();
    return answer;
  }
};
