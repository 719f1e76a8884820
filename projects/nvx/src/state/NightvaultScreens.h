#pragma once

#include "nvx/src/state/GameScreens.h"
#include "nvx/src/world/WorldScreen.h"

namespace nvx {

// The game's own screens behind the state machine's and the world's seams:
// each call goes to the area that draws or runs that screen.
class NightvaultScreens final : public GameScreens, public WorldScreen {
public:
  // Registers the one instance with both seams.
  static void installLive();

  void paintSplash(const qel::lcdui::DGraphicsPtr& g) override;
  void paintLevel(const qel::lcdui::DGraphicsPtr& g) override;
  void paintDialog(const qel::lcdui::DGraphicsPtr& back, const qel::lcdui::DGraphicsPtr& g) override;
  void paintMapScreen(const qel::lcdui::DGraphicsPtr& g) override;
  void paintBestResults(const qel::lcdui::DGraphicsPtr& g) override;
  void paintLanguageScreen(const qel::lcdui::DGraphicsPtr& g) override;
  void paintHintOverlay(const qel::lcdui::DGraphicsPtr& g) override;
  void paintTicker(const qel::lcdui::DGraphicsPtr& g) override;
  void levelKeys() override;
  void levelLogic() override;
  void dialogKeys() override;
  void updateMapScreen() override;
  void updateBestResults() override;
  void updateLanguageScreen() override;
  void handlePointer(int32_t x, int32_t y) override;
  void worldSteps() override;
  void tickMapScreen() override;
  void tickBestResults() override;
  void tickTicker() override;
  void setUpLanguageScreen() override;
  void initMapScale() override;
  void loadAtStartUp() override;
  void setUpLevel() override;
  void enterPlanning() override;
  void enterMapScreen() override;
  void enterBestResults() override;
  void layoutDialog() override;
  void openStartUpDialog() override;
  void openMainMenu() override;
  void openFirstRunInfo() override;
  void onPause() override;
  void saveLevelState() override;
  void shutdown() override;

  void openNotice(int32_t dialogId, int32_t textId, const qel::lang::DbyteArrayPtr& titlePicture, int32_t titleTextId,
                  bool twoKeys) override;
  void centerViewOnExit() override;
  void keepCellInView(int32_t x, int32_t y) override;
  void rebuildScene() override;
  void showTrainingHint(int32_t hint) override;
};

}  // namespace nvx
