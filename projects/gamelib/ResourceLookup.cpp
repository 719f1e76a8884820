#include "gamelib/GameLib.h"
#include "gamelib/StringManager.h"
#include "io/DArchive.h"
#include "io/DFileInputStream.h"
#include "io/DInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "microedition/lcdui/DImage.h"

namespace gamelib {

using qel::io::DArchive;
using qel::io::DFileInputStream;
using qel::io::DInputStreamPtr;
using qel::lang::DExceptionBase;
using qel::lang::DObjectArray;
using qel::lang::DObjectArrayPtr;
using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::lcdui::DImage;
using qel::lcdui::DImagePtr;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

DObjectArrayPtr& currentSearchPath() {
  static DObjectArrayPtr path;
  return path;
}

DStringPtr withoutLeadingSlash(const DStringPtr& name) {
  if (name->length() > 0 && name->charAt(0) == u'/') return name->substring(1);
  return name;
}

}  // namespace

void GameLib::setSearchPath(DObjectArrayPtr prefixes) { currentSearchPath() = std::move(prefixes); }

DObjectArrayPtr GameLib::searchPath() {
  if (!currentSearchPath()) {
    DObjectArrayPtr root = new DObjectArray(1);
    root->at(0) = new DString(u"");
    currentSearchPath() = root;
  }
  return currentSearchPath();
}

int32_t GameLib::candidateCount() { return 1 + searchPath()->length(); }

DStringPtr GameLib::candidate(const DStringPtr& bare, int32_t index) {
  if (index == 0) return bare;
  DStringPtr prefix = qel::lang::dynamicPtrCast<DString>(searchPath()->at(index - 1));
  return DString::concat(prefix ? prefix : DStringPtr(u""), bare);
}

DInputStreamPtr GameLib::getResourceAsStream(const DStringPtr& name) {
  DStringPtr bare = withoutLeadingSlash(name);
  try {
    for (int32_t i = 0; i < candidateCount(); ++i) {
      DStringPtr c = candidate(bare, i);
      if (DArchive::lookupCurrentEntry(c) >= 0) return DArchive::openCurrentEntryStream(c);
    }
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
    return nullptr;
  }
  for (int32_t i = 0; i < candidateCount(); ++i) {
    DStringPtr c = candidate(bare, i);
    if (c->length() == 0 || c->charAt(0) != u'/') c = DString::concat(u"/", c);
    try {
      return new DFileInputStream(c);
    } catch (DExceptionBase& e) {
      e.rethrowUnless(ExceptionCode::Exception);
    }
  }
  return nullptr;
}

DImagePtr GameLib::loadImage(const DStringPtr& name) {
  try {
    DStringPtr bare = withoutLeadingSlash(name);
    for (int32_t i = 0; i < candidateCount(); ++i) {
      DStringPtr c = candidate(bare, i);
      for (const char16_t* extension : {u".png", u".jpg"}) {
        DStringPtr entry = DString::concat(c, extension);
        if (DArchive::lookupCurrentEntry(entry) >= 0)
          return DImage::createImageFromStream(DArchive::openCurrentEntryStream(entry), 0, false);
      }
    }
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
  }
  return nullptr;
}

int32_t GameLib::getResourceSize(const DStringPtr& name) {
  try {
    return DArchive::lookupCurrentEntry(name);
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
  }
  try {
    DInputStreamPtr file = new DFileInputStream(name);
    int32_t size = file->available();
    file->close();
    return size;
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
    return -1;
  }
}

DStringPtr GameLib::resolutionFileName(int32_t width, int32_t height) {
  return DString::concat(DString::concat(DString::concat(DStringPtr(u"/"), width), u"x"), height) + u".dat";
}

bool GameLib::hasResolutionFile(int32_t width, int32_t height) {
  try {
    return DArchive::lookupCurrentEntry(withoutLeadingSlash(resolutionFileName(width, height))) >= 0;
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
    return false;
  }
}

DObjectArrayPtr GameLib::pathPrefixes(const DStringPtr& pathValue) {
  DObjectArrayPtr prefixes = StringManager::splitString(pathValue, u';');
  for (int32_t i = prefixes->length() - 1; i >= 0; --i) {
    DStringPtr entry = qel::lang::dynamicPtrCast<DString>(prefixes->at(i));
    if (!entry->endsWith(DStringPtr(u"/"))) prefixes->at(i) = DString::concat(entry, u"/");
  }
  return prefixes;
}

}  // namespace gamelib
