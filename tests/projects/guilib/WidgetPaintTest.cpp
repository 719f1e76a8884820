#include <gtest/gtest.h>

#include "../gamelib/TestPng.h"
#include "GuiHost.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIWidget.h"
#include "microedition/lcdui/DImage.h"

using guilib::GUIAnimation;
using guilib::GUIAnimationPtr;
using guilib::GUIEngine;
using guilib::GUIWidget;
using guilib::GUIWidgetPtr;

namespace {

constexpr uint32_t kRed = 0xF80000, kGreen = 0x00FC00, kBlue = 0x0000F8, kYellow = 0xF8FC00, kWhite = 0xF8FCF8;
constexpr uint32_t kGrey = 0x808080;

GUIAnimationPtr solid(int w, int h, uint32_t rgb) {
  const std::string png = solidPng(w, h, rgb);
  return new GUIAnimation(qel::lcdui::DImage::createImageFromData(
      reinterpret_cast<const uint8_t*>(png.data()), static_cast<int32_t>(png.size()), false));
}

GUIWidgetPtr whiteScreen() {
  GUIWidgetPtr screen = new GUIWidget(1);
  screen->fillScreen();
  screen->animate(GUIWidget::Background, 0xFFFFFF, -1, 0, 0);
  GUIEngine::getInstance()->showScreen(screen);
  return screen;
}

// A 40 x 30 frame at (10, 10): 3 x 3 red corners, green top and bottom
// edges, blue side edges, a yellow background over a client inset by 3.
GUIWidgetPtr framedPanel() {
  GUIWidgetPtr panel = new GUIWidget(2);
  panel->setBounds(10, 10, 40, 30);
  panel->setClientRect(3, 3, 34, 24, false);
  for (int i : {GUIWidget::TopLeft, GUIWidget::TopRight, GUIWidget::BottomLeft, GUIWidget::BottomRight})
    panel->addStateAnimation(i, solid(3, 3, 0xFF0000), 0, 0);
  panel->addStateAnimation(GUIWidget::TopEdge, solid(1, 3, 0x00FF00), 0, 0);
  panel->addStateAnimation(GUIWidget::BottomEdge, solid(1, 3, 0x00FF00), 0, 0);
  panel->addStateAnimation(GUIWidget::LeftEdge, solid(3, 1, 0x0000FF), 0, 0);
  panel->addStateAnimation(GUIWidget::RightEdge, solid(3, 1, 0x0000FF), 0, 0);
  panel->addStateAnimation(GUIWidget::Background, solid(1, 1, 0xFFFF00), 0, 0);
  return panel;
}

TEST(WidgetPaintTest, SkinPiecesFrameTheWidgetAndTheBackgroundFillsTheClient) {
  GuiHost host;
  host.run([] { whiteScreen()->addChild(framedPanel()); }, {[] {}});
  GuiHost::dumpScreen("skin-frame");
  struct Probe {
    int x, y;
    uint32_t rgb;
  } probes[] = {
      {10, 10, kRed},
      {49, 10, kRed},
      {10, 39, kRed},
      {49, 39, kRed},
      {12, 12, kRed},
      {13, 10, kGreen},
      {46, 12, kGreen},
      {30, 37, kGreen},
      {30, 39, kGreen},
      {10, 13, kBlue},
      {12, 36, kBlue},
      {47, 20, kBlue},
      {49, 36, kBlue},
      {13, 13, kYellow},
      {46, 36, kYellow},
      {9, 9, kWhite},
      {50, 40, kWhite},
      {50, 20, kWhite},
  };
  for (const Probe& p : probes) EXPECT_EQ(GuiHost::pixel(p.x, p.y), p.rgb) << p.x << "," << p.y;
}

TEST(WidgetPaintTest, ChildrenAreClippedToTheClientAndDecorationIsNot) {
  GuiHost host;
  host.run(
      [] {
        GUIWidgetPtr panel = framedPanel();
        whiteScreen()->addChild(panel);
        GUIWidgetPtr content = panel->addChild(new GUIWidget(3));
        content->setBounds(-10, -10, 100, 100);
        content->animate(GUIWidget::Background, 0x808080, -1, 0, 0)->setTiled(true);
        content->setClientRect(0, 0, 100, 100, false);
        GUIWidgetPtr badge = new GUIWidget(4);
        badge->setLayer(1);
        badge->setBounds(-2, -2, 4, 4);
        badge->animate(GUIWidget::Background, 0x0000FF, -1, 0, 0);
        panel->addChild(badge);
      },
      {[] {}});
  GuiHost::dumpScreen("skin-clip");
  EXPECT_EQ(GuiHost::pixel(13, 13), kGrey);  // the client's corner
  EXPECT_EQ(GuiHost::pixel(46, 36), kGrey);
  EXPECT_EQ(GuiHost::pixel(30, 11), kGreen);  // the border stays over the content
  EXPECT_EQ(GuiHost::pixel(55, 20), kWhite);  // nothing of the content outside
  EXPECT_EQ(GuiHost::pixel(8, 8), kBlue);     // layer 1 is not cut to the client
}

TEST(WidgetPaintTest, UntiledBackgroundIsDrawnOnceAndSizeFromBackgroundGrowsTheWidget) {
  GuiHost host;
  GUIWidgetPtr sized;
  host.run(
      [&] {
        GUIWidgetPtr screen = whiteScreen();
        GUIWidgetPtr once = screen->addChild(new GUIWidget(2));
        once->setBounds(10, 10, 20, 20);
        GUIAnimationPtr spot = solid(2, 2, 0xFF0000);
        spot->setTiled(false);
        once->addStateAnimation(GUIWidget::Background, spot, 0, 0);
        sized = screen->addChild(new GUIWidget(3));
        sized->setBounds(100, 10, 4, 4);
        sized->setClientRect(1, 1, 2, 2, false);  // one-pixel margins
        sized->setSizeFromBackground(true);
        sized->addStateAnimation(GUIWidget::Background, solid(10, 6, 0x00FF00), 0, 0);
      },
      {[] {}});
  EXPECT_EQ(GuiHost::pixel(11, 11), kRed);
  EXPECT_EQ(GuiHost::pixel(12, 12), kWhite);
  EXPECT_EQ(GuiHost::pixel(101, 11), kGreen);
  EXPECT_EQ(GuiHost::pixel(110, 16), kGreen);
  EXPECT_EQ(GuiHost::pixel(111, 17), kWhite);
}

bool skipPainting(GUIWidget&, const qel::lcdui::DGraphicsPtr&) { return true; }

TEST(WidgetPaintTest, PrePaintHookCanTakeOverAndHiddenWidgetsAreNotPainted) {
  GuiHost host;
  host.run(
      [] {
        GUIWidgetPtr screen = whiteScreen();
        GUIWidgetPtr hooked = screen->addChild(framedPanel());
        hooked->setPaintHooks(&skipPainting, nullptr);
        GUIWidgetPtr hidden = screen->addChild(framedPanel());
        hidden->setPosition(100, 100);
        hidden->setState(GUIWidget::Visible, false);
      },
      {[] {}});
  EXPECT_EQ(GuiHost::pixel(10, 10), kWhite);
  EXPECT_EQ(GuiHost::pixel(100, 100), kWhite);
}

}  // namespace
