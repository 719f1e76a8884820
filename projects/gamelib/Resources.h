#pragma once

#include <cstdint>

#include "io/DInputStream.ptr.h"
#include "lang/DObject.ptr.h"
#include "lang/DString.ptr.h"
#include "microedition/lcdui/DImage.ptr.h"

namespace gamelib {

// The one resource lookup of the game: the data archive first (the name
// itself, then each search prefix + name), then files beside the program.
//
//   Resources::setSearchPath(prefixes);
//   DInputStreamPtr in = Resources::getResourceAsStream(u"/res.dat");
class Resources {
public:
  Resources() = delete;

  // Prefixes ending in "/"; a null array means the one empty prefix.
  static void setSearchPath(qel::lang::DObjectArrayPtr prefixes);
  static qel::lang::DObjectArrayPtr searchPath();

  // One leading "/" is dropped. The first candidate in the archive opens;
  // when none is there, the candidates are tried as files. An archive error
  // (none open, say) ends the lookup with null.
  static qel::io::DInputStreamPtr getResourceAsStream(const qel::lang::DStringPtr& name);
  // For each candidate, candidate + ".png" and then + ".jpg" in the archive
  // only; the first present is decoded anew. Null when none is found or
  // decoding fails.
  static qel::lcdui::DImagePtr loadImage(const qel::lang::DStringPtr& name);
  // The archive entry's size (-1 when absent, no search path); the file's
  // available() only when the archive cannot be asked; -1 on failure.
  static int32_t getResourceSize(const qel::lang::DStringPtr& name);

  // "/" + width + "x" + height + ".dat".
  static qel::lang::DStringPtr resolutionFileName(int32_t width, int32_t height);
  // The resolution file is an entry of the archive.
  static bool hasResolutionFile(int32_t width, int32_t height);
  // The prefixes of a "PATH" value: split on ';', each made to end in "/".
  static qel::lang::DObjectArrayPtr pathPrefixes(const qel::lang::DStringPtr& pathValue);

private:
  static qel::lang::DStringPtr candidate(const qel::lang::DStringPtr& bare, int32_t index);
  static int32_t candidateCount();
};

}  // namespace gamelib
