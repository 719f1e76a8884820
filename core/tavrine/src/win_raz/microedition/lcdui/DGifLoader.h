#pragma once

#include <cstdint>
#include <vector>

#include "lang/DObject.h"
#include "microedition/lcdui/DGifLoader.ptr.h"
#include "microedition/lcdui/DImage.ptr.h"
#include "microedition/lcdui/DPalette.ptr.h"

struct GifFileType;

namespace qel::lcdui {

// Builds displayable frames of the logical screen's size from an open GIF,
// applying each frame's offsets (clipped to the screen). True-colour frames
// are composed as the disposal methods say: the screen starts in the
// background colour, each frame is drawn over what the previous one left
// (its own transparent pixels keyed in the first frame, see-through in later
// ones), "restore to background" clears the previous frame's area and
// "restore to previous" brings back the screen from before it. Paletted
// frames stand alone and end at a disposal that would need the screen.
// Owns the decoder handle.
class DGifLoader final : public qel::lang::DObject {
public:
  // paletted: frames in INDEX8 with their colour map, else RGB565.
  DGifLoader(GifFileType* gif, bool paletted);
  ~DGifLoader() override;
  DGifLoader(const DGifLoader&) = delete;
  DGifLoader& operator=(const DGifLoader&) = delete;

  // The next frame shown for a non-zero time, keyed, its display time in
  // milliseconds (100 without a graphic control). Frames of delay 0 are
  // passed over; when the data end after one, the last of them comes back
  // with time 0. Null when no frame is left, the data are damaged or the
  // screen has more than kMaxDecodedPixels.
  DImagePtr nextFrame();

private:
  // A rectangle of the screen and the pixels it held.
  struct SavedArea {
    int32_t x = 0, y = 0, width = 0, height = 0;
    std::vector<uint8_t> bytes;
  };

  bool readExtension();
  // Draws the next frame onto the screen; on failure the screen is as before.
  bool readFrame();
  bool drawFrame(DPalette& palette);
  DImagePtr takeFrame();
  DImagePtr endOfFrames();
  SavedArea frameArea() const;
  void save(SavedArea& area) const;
  void restore(const SavedArea& area);
  // Undoes the previous frame as its disposal says, after saving what it changes.
  void disposePrevious(SavedArea& changed);
  bool readPixels(const uint16_t* colours, bool keepUnderTransparent);

  GifFileType* gif_;
  bool paletted_;
  // The screen frames are drawn on: RGB565 composed across frames, or
  // INDEX8 holding one frame.
  DImagePtr screen_;
  // Whether the screen holds a frame of delay 0 not yet handed out, and
  // whether it was handed out as a frame.
  bool stillPending_ = false;
  bool screenHandedOut_ = false;
  int32_t disposal_ = 0;
  // The previous frame's area, clipped, with the pixels it covered.
  SavedArea previous_;
  uint32_t clearColour_ = 0;
  uint32_t background_;
  // From the graphic control extension before the next frame.
  int32_t delay_ = 10;
  int32_t nextDisposal_ = 0;
  int32_t transparentIndex_ = -1;
  std::vector<uint8_t> lineBuffer_;
};

}  // namespace qel::lcdui
