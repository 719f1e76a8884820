#pragma once

namespace tdlx {

// Width times height of the screen DC at the current orientation; -1 without a DC.
long screenDcArea();

}  // namespace tdlx
