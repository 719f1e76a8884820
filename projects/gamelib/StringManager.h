#pragma once

#include <cstdint>

#include "io/DInputStream.ptr.h"
#include "lang/DObject.h"
#include "lang/DObject.ptr.h"
#include "lang/DString.ptr.h"
#include "util/DHashtable.ptr.h"

namespace gamelib {

// A table of texts read from key/value resources ("key=value" lines, "//"
// comments, "#INCLUDE" directives), found through the resource lookup.
//
//   StringManager texts;
//   texts.load(u"lang.dat", StringManager::RecordLines, true);
//   DStringPtr names = texts.getString(u"LANG");
class StringManager : public qel::lang::DObject {
public:
  // 8-bit lines ending at LF or CR (a CR LF pair is one end), Latin-1.
  static constexpr int ByteLines = 0;
  // One readUTF record per line.
  static constexpr int RecordLines = 1;
  // Includes nested deeper than this are refused like missing files.
  static constexpr int MaxIncludeDepth = 8;
  // Files read by includes during one outermost load; later includes are
  // refused like missing files.
  static constexpr int MaxIncludedFiles = 256;

  // upperCase: getString answers its values upper-cased.
  explicit StringManager(bool upperCase = false);
  ~StringManager() override;

  // Parses the resource into the table; reset starts a new table (also for a
  // missing resource) and makes name the base of every include.
  void load(const qel::lang::DStringPtr& name, int encoding, bool reset);
  // The value of key; the key itself when absent.
  qel::lang::DStringPtr getString(const qel::lang::DStringPtr& key) const;
  // The pieces between separators, empty pieces kept: 1 + separators entries.
  static qel::lang::DObjectArrayPtr splitString(const qel::lang::DStringPtr& text, char16_t separator);

private:
  struct Directive {
    int encoding;
    qel::lang::DStringPtr fileName;
  };

  void parse(const qel::lang::DStringPtr& name, qel::io::DInputStreamPtr stream, int encoding, bool reset);
  void include(const Directive& directive);
  // Counts one more included file: false once the budget is spent.
  bool takeIncludeSlot();
  qel::lang::DStringPtr readTextResource(const qel::lang::DStringPtr& name, int encoding) const;
  // The include a text starts with, if any; encoding is the current one.
  static bool parseDirective(const qel::lang::DStringPtr& text, int encoding, Directive& directive);
  qel::lang::DStringPtr folder() const;

  bool upperCase_;
  qel::util::DHashtablePtr table_;
  qel::lang::DStringPtr currentFile_;
  int includeDepth_ = 0;
  int includedFiles_ = 0;
};

}  // namespace gamelib
