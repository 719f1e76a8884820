#pragma once

#include <string>
#include <vector>

#include "nvx/src/state/GameScreens.h"

// Records what the state machine asks of the screens, one name a call.
class ScreensRecorder : public nvx::GameScreens {
public:
  ScreensRecorder() { install(this); }
  ~ScreensRecorder() override { install(nullptr); }

  std::vector<std::string> calls;
  std::string joined() const {
    std::string all;
    for (const std::string& c : calls) all += (all.empty() ? "" : " ") + c;
    return all;
  }
  int count(const std::string& name) const {
    int n = 0;
    for (const std::string& c : calls) n += c == name;
    return n;
  }

  void paintSplash(const qel::lcdui::DGraphicsPtr&) override { calls.push_back("paintSplash"); }
  void paintLevel(const qel::lcdui::DGraphicsPtr&) override { calls.push_back("paintLevel"); }
  void paintDialog(const qel::lcdui::DGraphicsPtr& back, const qel::lcdui::DGraphicsPtr&) override {
    calls.push_back(back ? "paintDialog(back)" : "paintDialog");
  }
  void paintMapScreen(const qel::lcdui::DGraphicsPtr&) override { calls.push_back("paintMapScreen"); }
  void paintBestResults(const qel::lcdui::DGraphicsPtr&) override { calls.push_back("paintBestResults"); }
  void paintLanguageScreen(const qel::lcdui::DGraphicsPtr&) override { calls.push_back("paintLanguageScreen"); }
  void paintHintOverlay(const qel::lcdui::DGraphicsPtr&) override { calls.push_back("paintHintOverlay"); }
  void paintTicker(const qel::lcdui::DGraphicsPtr&) override { calls.push_back("paintTicker"); }
  void levelKeys() override { calls.push_back("levelKeys"); }
  void levelLogic() override { calls.push_back("levelLogic"); }
  void dialogKeys() override { calls.push_back("dialogKeys"); }
  void updateMapScreen() override { calls.push_back("updateMapScreen"); }
  void updateBestResults() override { calls.push_back("updateBestResults"); }
  void updateLanguageScreen() override { calls.push_back("updateLanguageScreen"); }
  void handlePointer(int32_t x, int32_t y) override {
    calls.push_back("handlePointer(" + std::to_string(x) + "," + std::to_string(y) + ")");
  }
  void worldSteps() override { calls.push_back("worldSteps"); }
  void tickMapScreen() override { calls.push_back("tickMapScreen"); }
  void tickBestResults() override { calls.push_back("tickBestResults"); }
  void tickTicker() override { calls.push_back("tickTicker"); }
  void setUpLanguageScreen() override { calls.push_back("setUpLanguageScreen"); }
  void onPause() override { calls.push_back("onPause"); }
  void saveLevelState() override { calls.push_back("saveLevelState"); }
  void shutdown() override { calls.push_back("shutdown"); }
  void initMapScale() override { calls.push_back("initMapScale"); }
  void loadAtStartUp() override { calls.push_back("loadAtStartUp"); }
  void setUpLevel() override { calls.push_back("setUpLevel"); }
  void enterPlanning() override { calls.push_back("enterPlanning"); }
  void enterMapScreen() override { calls.push_back("enterMapScreen"); }
  void enterBestResults() override { calls.push_back("enterBestResults"); }
  void layoutDialog() override { calls.push_back("layoutDialog"); }
  void openStartUpDialog() override { calls.push_back("openStartUpDialog"); }
  void openMainMenu() override { calls.push_back("openMainMenu"); }
  void openFirstRunInfo() override { calls.push_back("openFirstRunInfo"); }
};
