#pragma once

#include "lang/DObject.h"
#include "lang/DPtr.h"
#include "nvx/src/input/KeyInput.h"
#include "nvx/src/input/Pointer.h"
#include "nvx/src/play/Commands.h"
#include "nvx/src/play/EnteringPlay.h"
#include "nvx/src/play/Keys.h"
#include "nvx/src/play/LevelStart.h"
#include "nvx/src/play/ViewScene.h"
#include "nvx/src/screens/BestResults.h"
#include "nvx/src/screens/LanguageScreen.h"
#include "nvx/src/screens/MapResults.h"
#include "nvx/src/screens/MapScreen.h"
#include "nvx/src/screens/Overlays.h"
#include "nvx/src/screens/SplashScreen.h"
#include "nvx/src/screens/Ticker.h"
#include "nvx/src/state/FrameClock.h"
#include "nvx/src/state/GameHelpers.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/SpriteRows.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/state/WorldState.h"
#include "nvx/src/store/GameStore.h"
#include "nvx/src/text/BitmapText.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/text/SpriteDrawing.h"
#include "nvx/src/text/TextState.h"
#include "nvx/src/windows/DialogResults.h"
#include "nvx/src/windows/DialogWindow.h"
#include "nvx/src/windows/GameDialogs.h"
#include "nvx/src/world/WorldRules.h"

namespace nvx {

class MainCanvas;
using MainCanvasPtr = qel::lang::DPtr<MainCanvas>;

// The game. All of its state is static (the bases group it by area); the
// one object carries no data of its own.
class MainCanvas : public qel::lang::DObject,
                   public GameState,
                   public GameTables,
                   public WorldState,
                   public GameHelpers,
                   public SpriteRows,
                   public TextState,
                   public LanguageTexts,
                   public SpriteDrawing,
                   public BitmapText,
                   public WorldRules,
                   public KeyInput,
                   public StateMachine,
                   public FrameClock,
                   public DialogResults,
                   public DialogWindow,
                   public GameStore,
                   public SplashScreen,
                   public LanguageScreen,
                   public GameDialogs,
                   public BestResults,
                   public LevelStart,
                   public EnteringPlay,
                   public ViewScene,
                   public LevelKeys,
                   public LevelCommands,
                   public MapScreen,
                   public Ticker,
                   public Overlays,
                   public MapResults,
                   public Pointer {
public:
  MainCanvas() = default;

  // Builds every constant table, list and name afresh, releasing what the
  // references held before; scalar fields keep their values. Sprite rows
  // 0, 1, 2 and 4 take the current cellSize, row 43 the text cell.
  static void initStatics();
  // Sets every static reference of the game to null; scalars stay.
  static void releaseStatics();

  // Starts the game on canvas: the language choice (or, with one language,
  // that language applied at once), the GUI image set, the touch arrows,
  // "rate" and "info", and the clock start.
  static void init(const MainCanvasPtr& canvas);

  static inline MainCanvasPtr instance;
};

}  // namespace nvx
