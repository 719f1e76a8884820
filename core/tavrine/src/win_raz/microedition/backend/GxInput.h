#pragma once

namespace qel::lcdui {

// The "gx.dll" input entries that send every key to the program instead of
// the shell; the library is loaded for each call and freed again, and a
// missing library or entry skips the call.
class GxInput {
public:
  GxInput() = delete;

  static void open();
  static void close();
};

}  // namespace qel::lcdui
