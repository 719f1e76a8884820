#include "util/DStringManager.h"

#include <utility>

#include "io/DDataInputStream.h"
#include "io/DResourceLocator.h"
#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "lang/DStringBuffer.h"
#include "util/DHashtable.h"
#include "util/TextLines.h"

namespace qel::util {

using qel::io::DDataInputStream;
using qel::io::DDataInputStreamPtr;
using qel::io::DInputStreamPtr;
using qel::lang::DExceptionBase;
using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DString;
using qel::lang::DStringBuffer;
using qel::lang::DStringPtr;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

constexpr int32_t TableBuckets = 11;
constexpr int32_t TableLoadFactor = 75;

LineFormat formatOf(int mode) { return mode == DStringManager::ModeUTF ? LineFormat::Records : LineFormat::Bytes; }

int modeOf(LineFormat format) {
  return format == LineFormat::Records ? DStringManager::ModeUTF : DStringManager::ModeBytes;
}

// In byte mode a read error ends the text like its end; in UTF mode the end
// throws 0x06000002 and errors pass out.
TextLineReader linesOf(DDataInputStreamPtr in, int mode) {
  return TextLineReader(std::move(in), formatOf(mode), TextLineReader::Errors::EndByteText);
}

DStringPtr stringAt(const DObjectArrayPtr& parts, int32_t index) {
  return DStringPtr(static_cast<DString*>(parts->at(index).get()));
}

// Counts one level of include nesting for its lifetime.
class IncludeLevel {
public:
  explicit IncludeLevel(int& depth) : depth_(++depth) {}
  ~IncludeLevel() { --depth_; }
  IncludeLevel(const IncludeLevel&) = delete;
  IncludeLevel& operator=(const IncludeLevel&) = delete;

private:
  int& depth_;
};

}  // namespace

DStringManager::DStringManager(int) : table_(new DHashtable(TableBuckets, TableLoadFactor)) {}

void DStringManager::load(const DStringPtr& fileName, const DInputStreamPtr& stream, int mode, bool clearFirst) {
  DDataInputStreamPtr data = new DDataInputStream(stream);
  if (includeDepth_ == 0) includedFiles_ = 0;
  if (clearFirst) {
    table_ = new DHashtable(TableBuckets, TableLoadFactor);
    fileName_ = fileName;
  }
  if (!stream) return;
  TextLineReader lines = linesOf(data, mode);
  try {
    loadLines(lines, mode);
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::EndOfFile);
  }
  data->close();
}

void DStringManager::loadLines(TextLineReader& lines, int mode) {
  for (DStringPtr line; (line = lines.next());) {
    if (line->view().starts_with(u"//")) continue;
    if (includeDirectiveAt(line)) {
      includeFile(line, mode);
      continue;
    }
    int32_t separator = line->indexOf(separator_);
    if (separator < 0) continue;
    DStringPtr value = line->substring(separator + 1);
    if (includeDirectiveAt(value)) value = includedText(value, mode);
    put(line->substring(0, separator), value);
  }
}

void DStringManager::includeFile(const DStringPtr& line, int mode) {
  if (includeDepth_ >= MaxIncludeDepth) return;
  IncludeLevel level(includeDepth_);
  try {
    int includedMode = mode;
    DStringPtr path = includePath(line, includedMode);
    loadFile(path, includedMode);
  } catch (const DExceptionBase&) {
    // An include line that cannot be read adds nothing.
  }
}

DStringPtr DStringManager::includedText(const DStringPtr& value, int mode) {
  int includedMode = mode;
  DStringPtr path = includePath(value, includedMode);
  return loadIncludedText(path, includedMode);
}

DStringPtr DStringManager::includePath(const DStringPtr& text, int& mode) const {
  const IncludeDirective* directive = includeDirectiveAt(text);
  if (directive->format) mode = modeOf(*directive->format);
  DStringPtr name = text->substring(directive->nameStart())->toLowerCase()->trim();
  int32_t folderEnd = fileName_ ? fileName_->lastIndexOf(u'/') : -1;
  if (folderEnd < 0) return name;
  return fileName_->substring(0, folderEnd + 1) + name;
}

void DStringManager::loadFile(const DStringPtr& name, int mode) {
  if (!locator_) qel::lang::throwNullPointer();
  if (includedFiles_ >= MaxIncludedFiles) return;
  ++includedFiles_;
  load(name, locator_->open(name), mode, false);
}

DStringPtr DStringManager::loadIncludedText(const DStringPtr& name, int mode) {
  if (!locator_) qel::lang::throwNullPointer();
  if (includedFiles_ >= MaxIncludedFiles) return u"";
  ++includedFiles_;
  DInputStreamPtr stream = locator_->open(name);
  if (!stream) return u"";
  DDataInputStreamPtr data = new DDataInputStream(stream);
  TextLineReader lines = linesOf(data, mode);
  DStringBuffer text;
  try {
    for (DStringPtr line; (line = lines.next());) text.append(line).append(u'\n');
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::EndOfFile);
  }
  data->close();
  return text.toString();
}

void DStringManager::put(const DStringPtr& key, const DStringPtr& value) { table_->put(key, value); }

DStringPtr DStringManager::getString(const DStringPtr& key) const {
  if (!key) return nullptr;
  return DStringPtr(static_cast<DString*>(table_->get(key)));
}

int32_t DStringManager::getInt(const DStringPtr& key) const {
  DStringPtr value = getString(key);
  if (!value) return 0;
  try {
    return qel::lang::DInteger::parseInt(value);
  } catch (const DExceptionBase&) {
    return 0;
  }
}

std::pair<int32_t, int32_t> DStringManager::getIntPair(const DStringPtr& key) const {
  std::pair<int32_t, int32_t> pair{-1, -1};
  DStringPtr value = getString(key);
  if (!value) return pair;
  DStringPtr text = value->toLowerCase()->replace(u'(', u' ')->replace(u')', u' ')->replace(u'x', u';');
  DObjectArrayPtr parts = split(text);
  try {
    DStringPtr width = stringAt(parts, 0)->trim();
    DStringPtr height = stringAt(parts, 1)->trim();
    pair.first = qel::lang::DInteger::parseInt(width);
    pair.second = qel::lang::DInteger::parseInt(height);
  } catch (const DExceptionBase&) {
    // What was read so far stands.
  }
  return pair;
}

void DStringManager::setResourceLocator(qel::io::DResourceLocatorPtr locator) { locator_ = std::move(locator); }

DObjectArrayPtr DStringManager::split(const DStringPtr& text) {
  int32_t count = 1;
  for (char16_t unit : text->view()) count += unit == u';';
  DObjectArrayPtr parts = new DObjectArray(count);
  DStringPtr rest = text;
  for (int32_t index = count - 1; index > 0; --index) {
    int32_t cut = rest->lastIndexOf(u';');
    parts->at(index) = rest->substring(cut + 1);
    rest = rest->substring(0, cut);
  }
  parts->at(0) = rest;
  return parts;
}

}  // namespace qel::util
