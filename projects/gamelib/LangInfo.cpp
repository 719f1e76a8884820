#include "gamelib/LangInfo.h"

#include "gamelib/GameLib.h"
#include "gamelib/StringManager.h"
#include "io/DDataInputStream.h"
#include "io/DDataOutputStream.h"
#include "io/DFileInputStream.h"
#include "io/DFileOutputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DObjectArray.h"
#include "lang/DString.h"
#include "microedition/lcdui/DImage.h"
#include "util/DCallBack.h"
#include "util/DEnumeration.h"
#include "util/DHashtable.h"

namespace gamelib {

using qel::io::DDataInputStream;
using qel::io::DDataInputStreamPtr;
using qel::io::DDataOutputStream;
using qel::io::DDataOutputStreamPtr;
using qel::io::DFileInputStream;
using qel::io::DFileOutputStream;
using qel::lang::DExceptionBase;
using qel::lang::DObjectArray;
using qel::lang::DObjectPtr;
using qel::lang::DString;
using qel::lang::DStringPtr;
using qel::util::DCallBack;
using qel::util::DHashtable;
namespace ExceptionCode = qel::lang::ExceptionCode;

namespace {

LangInfoPtr& singleton() {
  static LangInfoPtr instance;
  return instance;
}

}  // namespace

LangInfo::LangInfo() = default;
LangInfo::~LangInfo() = default;

LangInfoPtr LangInfo::getInstance() {
  if (!singleton()) {
    singleton() = new LangInfo();
    singleton()->load();
  }
  return singleton();
}

void LangInfo::releaseInstance() { singleton().release(); }

int32_t LangInfo::currentLanguage() {
  LangInfoPtr languages = getInstance();
  if (languages->index_ < 0) languages->index_ = languages->loadLangId();
  return languages->index_;
}

int32_t LangInfo::languageCount() { return getInstance()->getLanguageCount(); }

DStringPtr LangInfo::languageId(int32_t i) { return getInstance()->getId(i); }

DStringPtr LangInfo::languageName(int32_t i) { return getInstance()->getName(i); }

qel::lcdui::DImagePtr LangInfo::languageFlag(int32_t i) { return getInstance()->getFlag(i); }

void LangInfo::selectLanguage(int32_t i) { getInstance()->setLanguage(i); }

void LangInfo::load() {
  if (!names_ || !ids_) {
    qel::lang::DPtr<StringManager> table = new StringManager();
    table->load(u"lang.dat", StringManager::RecordLines, true);
    names_ = StringManager::splitString(table->getString(u"LANG"), u';');
    ids_ = StringManager::splitString(table->getString(u"ID"), u';');
  }
  if (!flags_ && ids_->length() > 0) {
    flags_ = new DObjectArray(ids_->length());
    for (int32_t i = 0; i < ids_->length(); ++i)
      flags_->at(i) = GameLib::loadImage(DString::concat(DStringPtr(u"lang_"), getId(i)));
  }
  if (index_ < 0) index_ = loadLangId();
}

int32_t LangInfo::getLanguageCount() const { return names_ ? names_->length() : 0; }

DStringPtr LangInfo::getName(int32_t i) const {
  if (!names_) qel::lang::throwException(ExceptionCode::IndexOutOfBounds);
  return qel::lang::dynamicPtrCast<DString>(names_->at(i));
}

DStringPtr LangInfo::getId(int32_t i) const {
  if (!ids_) qel::lang::throwException(ExceptionCode::IndexOutOfBounds);
  return qel::lang::dynamicPtrCast<DString>(ids_->at(i));
}

qel::lcdui::DImagePtr LangInfo::getFlag(int32_t i) const {
  if (!flags_) return nullptr;
  return qel::lang::dynamicPtrCast<qel::lcdui::DImage>(flags_->at(i));
}

int32_t LangInfo::loadLangId() const {
  try {
    DDataInputStreamPtr in = new DDataInputStream(new DFileInputStream(u"/langid"));
    int32_t stored = in->readInt();
    in->close();
    return stored >= 0 && stored < getLanguageCount() ? stored : 0;
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
    return 0;
  }
}

void LangInfo::saveLangId(int32_t i) {
  try {
    DDataOutputStreamPtr out = new DDataOutputStream(new DFileOutputStream(u"/langid"));
    out->writeInt(i);
    saved_ = true;
    out->close();
  } catch (DExceptionBase& e) {
    e.rethrowUnless(ExceptionCode::Exception);
  }
}

void LangInfo::setLanguage(int32_t i) {
  if (i < 0) return;
  if (i == index_) {
    if (!saved_) saveLangId(index_);
    return;
  }
  index_ = i;
  saveLangId(i);
  if (!listeners_) return;
  for (qel::util::DEnumerationPtr e = listeners_->elements(); e->hasMoreElements();)
    if (auto* callback = dynamic_cast<DCallBack*>(e->nextElement())) callback->notify();
}

void LangInfo::addListener(qel::util::DCallBackPtr callback) {
  if (!listeners_) listeners_ = new DHashtable(11, 75);
  listeners_->put(callback, callback);
}

}  // namespace gamelib
