#include "gamelib/StringManager.h"

#include <string>

#include "gamelib/GameLib.h"
#include "gamelib/TextLineReader.h"
#include "io/DDataInputStream.h"
#include "io/DInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "util/DHashtable.h"

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
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

struct DirectiveForm {
  const char16_t* keyword;
  int32_t nameStart;
  int encoding;  // -1: the encoding of the file being parsed
};

constexpr DirectiveForm kDirectives[] = {
    {u"#INCLUDE_JAVAUTF", 17, StringManager::RecordLines},
    {u"#INCLUDE_TXT", 13, StringManager::ByteLines},
    {u"#INCLUDE", 9, -1},
};

}  // namespace

StringManager::StringManager(bool upperCase) : upperCase_(upperCase), table_(new DHashtable(11, 75)) {}

StringManager::~StringManager() = default;

void StringManager::load(const DStringPtr& name, int encoding, bool reset) {
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
  DStringPtr upper = text->toUpperCase();
  for (const DirectiveForm& form : kDirectives) {
    if (!upper->startsWith(DStringPtr(form.keyword))) continue;
    directive.encoding = form.encoding < 0 ? encoding : form.encoding;
    directive.fileName =
        text->length() > form.nameStart ? text->substring(form.nameStart)->toLowerCase()->trim() : DStringPtr(u"");
    return true;
  }
  return false;
}

DStringPtr StringManager::folder() const {
  if (!currentFile_) return u"";
  return currentFile_->substring(0, currentFile_->lastIndexOf(u'/') + 1);
}

void StringManager::include(const Directive& directive) {
  if (directive.fileName->length() == 0 || includeDepth_ >= MaxIncludeDepth) return;
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
  TextLineReader lines(in, encoding);
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
      value = directive.fileName->length() == 0
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
  TextLineReader lines(in, encoding);
  std::u16string text;
  for (DStringPtr line = lines.next(); line; line = lines.next()) {
    text.append(line->view());
    text.push_back(u'\n');
  }
  in->close();
  return new DString(std::move(text));
}

}  // namespace gamelib
