#pragma once

#include <cstdint>
#include <memory>

#include "microedition/displayable/DCanvas.ptr.h"
#include "microedition/displayable/DDisplayable.h"
#include "microedition/lcdui/DGraphics.ptr.h"
#include "util/DHashtable.ptr.h"

namespace qel::raster {
class RasterSurface;
}

namespace qel::lcdui {

// The displayable that receives keys and the pen and owns an RGB565 back
// buffer of the display's size (halved under pixel doubling). Its key map
// turns key codes into action indices.
class DCanvas : public DDisplayable {
public:
  // Game actions of the profile.
  static constexpr int32_t UP = 1;
  static constexpr int32_t LEFT = 2;
  static constexpr int32_t RIGHT = 5;
  static constexpr int32_t DOWN = 6;
  static constexpr int32_t FIRE = 8;
  static constexpr int32_t GAME_A = 9;
  static constexpr int32_t GAME_B = 10;
  static constexpr int32_t GAME_C = 11;
  static constexpr int32_t GAME_D = 12;

  // Input modes.
  static constexpr int32_t InputDefault = 0;
  static constexpr int32_t InputNumeric = 1;
  static constexpr int32_t InputText = 2;

  // Needs a current application object with a display (else 0x05000080).
  DCanvas();
  ~DCanvas() override;

  virtual void sizeChanged(int32_t width, int32_t height);
  virtual void showNotify();
  virtual void pointerPressed(int32_t x, int32_t y);
  virtual void pointerReleased(int32_t x, int32_t y);
  virtual void hideNotify();
  virtual void keyPressed(int32_t code);
  virtual void keyReleased(int32_t code);
  virtual void keyRepeated(int32_t code);
  virtual void paint(DGraphicsPtr graphics);
  virtual void pointerDragged(int32_t x, int32_t y);
  virtual void pointerMoved(int32_t x, int32_t y);

  // Remapped by the input mode's table, then keyPressed and its twins.
  void dispatchKeyPressed(int32_t code);
  void dispatchKeyReleased(int32_t code);
  void dispatchKeyRepeated(int32_t code);

  static int32_t getGameAction(int32_t code);
  // Rebuilds the key map from the defaults and the override array that the
  // key-map set holds for mapId (a DObjectArray of DintArray key lists by
  // action index).
  void setKeyMap(int32_t mapId);
  // The action index of code, -1 without a map or for an unmapped code.
  int32_t getMappedKey(int32_t code) const;
  int32_t getKeyMapId() const { return mapId_; }
  void setKeyMapSet(qel::util::DHashtablePtr keyMapSet);

  void setInputMode(int32_t mode);
  int32_t getInputMode() const { return inputMode_; }
  // The input method of the input mode, then showNotify.
  void notifyShown();

  // A new back buffer unless the size stays.
  void setBufferSize(int32_t width, int32_t height);
  int32_t getWidth() const { return width_; }
  int32_t getHeight() const { return height_; }
  qel::raster::RasterSurface* getBackBuffer() const { return backBuffer_.get(); }

  bool isShown() const { return shown_; }
  void setShown(bool shown) { shown_ = shown; }

private:
  void applyInputMethod();

  bool shown_ = false;
  int32_t height_ = 0;
  int32_t width_ = 0;
  std::unique_ptr<qel::raster::RasterSurface> backBuffer_;
  qel::util::DHashtablePtr keyMapSet_;
  qel::util::DHashtablePtr keyMap_;
  int32_t mapId_ = -1;
  int32_t inputMode_ = InputDefault;
};

}  // namespace qel::lcdui
