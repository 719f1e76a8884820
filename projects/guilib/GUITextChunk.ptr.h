#pragma once

#include "lang/DPtr.h"

namespace guilib {

class GUITextChunk;
using GUITextChunkPtr = qel::lang::DPtr<GUITextChunk>;

}  // namespace guilib
