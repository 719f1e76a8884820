#include "microedition/host/ApplicationFactory.h"

#include "gamelib/GameLib.h"

namespace qel::host {

qel::midlet::DMIDletPtr createApplication() { return gamelib::GameLib::createApplication(); }

}  // namespace qel::host
