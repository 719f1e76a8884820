#pragma once

#include "lang/DPtr.h"

namespace qel::microedition::rms {

class DRecordStore;
using DRecordStorePtr = qel::lang::DPtr<DRecordStore>;

}  // namespace qel::microedition::rms
