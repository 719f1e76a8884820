#pragma once

#include <cstdint>

#include "gamelib/LangInfo.ptr.h"
#include "lang/DObject.h"
#include "lang/DObject.ptr.h"
#include "lang/DString.ptr.h"
#include "microedition/lcdui/DImage.ptr.h"
#include "util/DCallBack.ptr.h"
#include "util/DHashtable.ptr.h"

namespace gamelib {

// The languages the data offers ("lang.dat": "LANG" names and "ID" codes,
// ';'-separated; "lang_" + id flag pictures) and the player's choice, kept
// in "/langid" as one big-endian int.
//
//   LangInfoPtr languages = LangInfo::getInstance();
//   languages->setLanguage(1);  // written, then the listeners are told
class LangInfo : public qel::lang::DObject {
public:
  LangInfo();
  ~LangInfo() override;

  // The singleton, made and loaded on first use.
  static LangInfoPtr getInstance();
  static void releaseInstance();

  // The chosen index, read from "/langid" while unknown.
  static int32_t currentLanguage();
  static int32_t languageCount();
  // Outside the list: 0x05800000.
  static qel::lang::DStringPtr languageId(int32_t i);
  static qel::lang::DStringPtr languageName(int32_t i);
  // Null for a language without a flag picture.
  static qel::lcdui::DImagePtr languageFlag(int32_t i);
  // setLanguage on the singleton.
  static void selectLanguage(int32_t i);

  void load();
  int32_t getLanguageCount() const;
  int32_t getIndex() const { return index_; }
  qel::lang::DStringPtr getName(int32_t i) const;
  qel::lang::DStringPtr getId(int32_t i) const;
  // Null for a language without a flag picture.
  qel::lcdui::DImagePtr getFlag(int32_t i) const;

  // Negative: nothing. The current one: written once per instance. Another:
  // stored, written, then every listener is notified.
  void setLanguage(int32_t i);
  void addListener(qel::util::DCallBackPtr callback);
  // Failures are silent.
  void saveLangId(int32_t i);
  // The stored index; 0 when there is none or it lies outside the list.
  int32_t loadLangId() const;

private:
  int32_t index_ = -1;
  qel::lang::DObjectArrayPtr names_;
  qel::lang::DObjectArrayPtr ids_;
  qel::lang::DObjectArrayPtr flags_;
  qel::util::DHashtablePtr listeners_;
  bool saved_ = false;
};

}  // namespace gamelib
