#pragma once

#include <cstdint>
#include <utility>

#include "io/DInputStream.ptr.h"
#include "io/DResourceLocator.ptr.h"
#include "lang/DObject.h"
#include "lang/DObject.ptr.h"
#include "lang/DString.ptr.h"
#include "util/DHashtable.ptr.h"
#include "util/DStringManager.ptr.h"

namespace qel::util {

class TextLineReader;

// The configuration table: key/value text such as "engine.ini", plus the
// values the host puts in. Lines are 'key=value', split at the first '=',
// nothing trimmed; a line starting "//" is a comment; the last definition of
// a key wins. "#INCLUDE", "#INCLUDE_TXT" and "#INCLUDE_JAVAUTF" (any case),
// followed by one separating unit and a file name, merge another file when
// they start a line and take a file's whole text when they start a value;
// included files are found next to the file loaded with clearing, through
// the resource locator. The getters never throw.
class DStringManager final : public qel::lang::DObject {
public:
  // Text of one byte per unit (Latin-1), lines ended by LF, CR or CR LF.
  static constexpr int ModeBytes = 0;
  // One readUTF string per line.
  static constexpr int ModeUTF = 1;
  // Include lines nested deeper than this are dropped.
  static constexpr int MaxIncludeDepth = 16;
  // Files read by includes during one outermost load; later includes read
  // nothing, as if their files were missing.
  static constexpr int MaxIncludedFiles = 256;

  explicit DStringManager(int unused);

  // Reads lines from stream into the table; with clearFirst the table is
  // emptied first and fileName becomes the folder reference of includes.
  // A null stream reads nothing. Include lines never fail the load; an
  // include value that cannot be read throws (0x05000080 without a locator)
  // and keeps the lines stored before it.
  void load(const qel::lang::DStringPtr& fileName, const qel::io::DInputStreamPtr& stream, int mode, bool clearFirst);
  // Null key or value throws 0x05000000.
  void put(const qel::lang::DStringPtr& key, const qel::lang::DStringPtr& value);
  // Null when absent.
  qel::lang::DStringPtr getString(const qel::lang::DStringPtr& key) const;
  // parseInt of the value ("0x" for hexadecimal); 0 when absent or not a number.
  int32_t getInt(const qel::lang::DStringPtr& key) const;
  // Width and height of a value such as "240x320" or "(240 x 320)";
  // (-1, -1) when absent, each part -1 that does not read.
  std::pair<int32_t, int32_t> getIntPair(const qel::lang::DStringPtr& key) const;

  // Where included files are opened; none at first.
  void setResourceLocator(qel::io::DResourceLocatorPtr locator);

  // The parts of text between ';', empty parts included.
  static qel::lang::DObjectArrayPtr split(const qel::lang::DStringPtr& text);

private:
  void loadLines(TextLineReader& lines, int mode);
  void includeFile(const qel::lang::DStringPtr& line, int mode);
  qel::lang::DStringPtr includedText(const qel::lang::DStringPtr& value, int mode);
  void loadFile(const qel::lang::DStringPtr& name, int mode);
  qel::lang::DStringPtr loadIncludedText(const qel::lang::DStringPtr& name, int mode);
  // The include path of a directive at the start of text, with the mode it
  // asks for; null when text is no directive.
  qel::lang::DStringPtr includePath(const qel::lang::DStringPtr& text, int& mode) const;

  char16_t separator_ = u'=';
  DHashtablePtr table_;
  qel::lang::DStringPtr fileName_;
  qel::io::DResourceLocatorPtr locator_;
  int includeDepth_ = 0;
  int includedFiles_ = 0;
};

}  // namespace qel::util
