#pragma once

#include "lang/DPtr.h"

namespace qel::rms {

class DRecordStore;
using DRecordStorePtr = qel::lang::DPtr<DRecordStore>;

}  // namespace qel::rms
