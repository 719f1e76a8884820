#include <gtest/gtest.h>

#include "GuiHost.h"
#include "RecordingWidget.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIWidget.h"

using guilib::GUIEngine;
using guilib::GUIEnginePtr;
using guilib::GUIWidget;
using guilib::GUIWidgetPtr;

namespace {

TEST(EngineSmokeTest, AScreenPaintsItsBackgroundInTheRealHost) {
  GuiHost host;
  host.run(
      [] {
        GUIWidgetPtr screen = new GUIWidget(1);
        screen->fillScreen();
        screen->animate(GUIWidget::Background, 0xFF0000, -1, 0, 0);
        GUIEngine::getInstance()->showScreen(screen);
      },
      {[] {}, [] {}});
  GuiHost::dumpScreen("smoke");
  EXPECT_EQ(GuiHost::pixel(120, 160), 0xF80000u);
}

}  // namespace
