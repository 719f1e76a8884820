#include "gamelib/StringManager.h"

#include <string>

#include "gamelib/GameLib.h"
#include "io/DDataInputStream.h"
#include "io/DInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "util/DHashtable.h"
#include "util/TextLines.h"

namespace gamelib {

using qel::io::DDataInputStream;
using qel::io::DDataInputStreamPtr;
using qel::io::DInputStreamPtr;
using qel::lang::DExceptionBase;
using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::util::DHashtable;
using qel::util::IncludeDirective;
using qel::util::LineFormat;
using qel::util::TextLineReader;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

// Only the end of the data ends the reading quietly; other read errors pass out.
TextLineReader linesOf(DDataInputStreamPtr in, int encoding) {
  return TextLineReader(std::move(in),
                        encoding == StringManager::RecordLines ? LineFormat::Records : LineFormat::Bytes,
                        TextLineReader::Errors::PassOut);
}

}  // namespace

StringManager::StringManager(bool upperCase) : upperCase_(upperCase), table_(new DHashtable(11, 75)) {}

StringManager::~StringManager() = default;

void StringManager::load(const DStringPtr& name, int encoding, bool reset) {
  if (includeDepth_ == 0) includedFiles_ = 0;
  parse(name, GameLib::getResourceAsStream(name), encoding, reset);
}

DStringPtr StringManager::getString(const DStringPtr& key) const {
  auto* value = dynamic_cast<DString*>(table_->get(key));
  if (!value) return key;
  return upperCase_ ? value->toUpperCase() : DStringPtr(value);
}

DObjectArrayPtr StringManager::splitString(const DStringPtr& text, char16_t separator) {
  std::u16string_view units = text->view();
  int32_t pieces = 1;
  for (char16_t unit : units)
    if (unit == separator) ++pieces;
  DObjectArrayPtr result = new DObjectArray(pieces);
  size_t start = 0;
  for (int32_t i = 0; i < pieces; ++i) {
    size_t end = units.find(separator, start);
    if (end == std::u16string_view::npos) end = units.size();
    result->at(i) = new DString(units.substr(start, end - start));
    start = end + 1;
  }
  return result;
}

bool StringManager::parseDirective(const DStringPtr& text, int encoding, Directive& directive) {
  const IncludeDirective* form = qel::util::includeDirectiveAt(text);
  if (!form) return false;
  directive.encoding = !form->format ? encoding : *form->format == LineFormat::Records ? RecordLines : ByteLines;
  directive.fileName =
      text->length() > form->nameStart() ? text->substring(form->nameStart())->toLowerCase()->trim() : DStringPtr(u"");
  return true;
}

DStringPtr StringManager::folder() const {
  if (!currentFile_) return u"";
  return currentFile_->substring(0, currentFile_->lastIndexOf(u'/') + 1);
}

bool StringManager::takeIncludeSlot() {
  if (includedFiles_ >= MaxIncludedFiles) return false;
  ++includedFiles_;
  return true;
}

void StringManager::include(const Directive& directive) {
  if (directive.fileName->length() == 0 || includeDepth_ >= MaxIncludeDepth || !takeIncludeSlot()) return;
  ++includeDepth_;
  try {
    load(DString::concat(folder(), directive.fileName), directive.encoding, false);
  } catch (DExceptionBase& e) {
    if (!e.is(ExceptionCode::Exception)) {
      --includeDepth_;
      throw;
    }
  }
  --includeDepth_;
}

void StringManager::parse(const DStringPtr& name, DInputStreamPtr stream, int encoding, bool reset) {
  if (reset) {
    table_ = new DHashtable(11, 75);
    currentFile_ = name;
  }
  if (!stream) return;
  DDataInputStreamPtr in = new DDataInputStream(stream);
  TextLineReader lines = linesOf(in, encoding);
  for (DStringPtr line = lines.next(); line; line = lines.next()) {
    if (line->startsWith(DStringPtr(u"//"))) continue;
    Directive directive;
    if (parseDirective(line, encoding, directive)) {
      include(directive);
      continue;
    }
    int32_t equals = line->indexOf(u'=');
    if (equals < 0) continue;
    DStringPtr value = line->substring(equals + 1);
    if (parseDirective(value, encoding, directive))
      value = directive.fileName->length() == 0 || !takeIncludeSlot()
                  ? DStringPtr(u"")
                  : readTextResource(DString::concat(folder(), directive.fileName), directive.encoding);
    table_->put(line->substring(0, equals), value);
  }
  in->close();
}

DStringPtr StringManager::readTextResource(const DStringPtr& name, int encoding) const {
  DInputStreamPtr stream = GameLib::getResourceAsStream(name);
  if (!stream) return u"";
  DDataInputStreamPtr in = new DDataInputStream(stream);
  TextLineReader lines = linesOf(in, encoding);
  std::u16string text;
  for (DStringPtr line = lines.next(); line; line = lines.next()) {
    text.append(line->view());
    text.push_back(u'\n');
  }
  in->close();
  return new DString(std::move(text));
}

}  // namespace gamelib
