#pragma once

#include "lang/DPtr.h"

namespace qel::io {

class DResourceLocator;
using DResourceLocatorPtr = qel::lang::DPtr<DResourceLocator>;

}  // namespace qel::io
