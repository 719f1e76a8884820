#pragma once

#include <vector>

#include "nvx/src/world/WorldScreen.h"

namespace nvx {

// Records what the world asks of the screen; installed for one test.
class RecordingScreen : public WorldScreen {
public:
  struct Notice {
    int dialogId, textId;
    std::vector<int> picture;
    int titleTextId;
    bool twoKeys;
  };

  RecordingScreen() { install(this); }
  ~RecordingScreen() override { install(nullptr); }

  void openNotice(int32_t dialogId, int32_t textId, const qel::lang::DbyteArrayPtr& picture, int32_t title,
                  bool twoKeys) override {
    std::vector<int> bytes;
    for (int i = 0; picture && i < picture->length(); ++i) bytes.push_back(picture[i]);
    notices.push_back({dialogId, textId, bytes, title, twoKeys});
  }
  void centerViewOnExit() override { ++exitJumps; }
  void keepCellInView(int32_t, int32_t) override {}
  void rebuildScene() override { ++sceneRefreshes; }
  void showTrainingHint(int32_t) override {}

  // dialog * 1000 + text of each notice, in order.
  std::vector<int> opened() const {
    std::vector<int> out;
    for (const auto& n : notices) out.push_back(n.dialogId * 1000 + n.textId);
    return out;
  }

  std::vector<Notice> notices;
  int exitJumps = 0;
  int sceneRefreshes = 0;
};

}  // namespace nvx
