#pragma once

#include "lang/DPtr.h"

namespace qel::media {

class DPlayer;
class DPlayerSourceWav;
class DPlayerSourceMod;
using DPlayerPtr = qel::lang::DPtr<DPlayer>;
using DPlayerSourceWavPtr = qel::lang::DPtr<DPlayerSourceWav>;
using DPlayerSourceModPtr = qel::lang::DPtr<DPlayerSourceMod>;

}  // namespace qel::media
