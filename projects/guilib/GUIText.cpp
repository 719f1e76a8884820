#include "guilib/GUIText.h"

#include <utility>

#include "gamelib/StringManager.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIFont.h"
#include "guilib/GUITextChunk.h"
#include "lang/DString.h"
#include "util/DHashtable.h"

namespace guilib {

GUIText::GUIText() = default;

GUIText::~GUIText() = default;

void GUIText::dropTree() {
  root_.release();
  layoutWidth_ = -1;
}

void GUIText::setText(const qel::lang::DStringPtr& text) {
  source_ = text;
  dropTree();
}

void GUIText::setStringId(const qel::lang::DStringPtr& id) {
  stringId_ = id;
  source_.release();
  dropTree();
  reload();
}

void GUIText::setStringManager(gamelib::StringManagerPtr strings) {
  strings_ = std::move(strings);
  languageStamp_ = -1;
}

void GUIText::setFont(GUIFontPtr font) {
  font_ = std::move(font);
  parse();
}

GUIFontPtr GUIText::getFont() const { return font_; }

GUITextChunkPtr GUIText::getRoot() const { return root_; }

void GUIText::setResource(const qel::lang::DStringPtr& name, const qel::lang::DObjectPtr& object) {
  if (!name) return;
  if (object) {
    if (!resources_) resources_ = new qel::util::DHashtable(11, 75);
    resources_->put(name->toLowerCase(), object);
  } else if (resources_) {
    resources_->remove(name->toLowerCase());
  }
  dropTree();
}

qel::lang::DObjectPtr GUIText::getResource(const qel::lang::DStringPtr& name) const {
  if (!name) return nullptr;
  if (resources_)
    if (qel::lang::DObject* own = resources_->get(name->toLowerCase())) return own;
  return GUIEngine::getInstance()->getResource(name);
}

void GUIText::setAlignment(int32_t alignment) {
  alignment_ = alignment;
  layoutWidth_ = -1;
}

void GUIText::setNewlineBreaks(bool on) {
  newlineBreaks_ = on;
  dropTree();
}

void GUIText::reload() {
  if (!stringId_) return;
  GUIEnginePtr engine = GUIEngine::getInstance();
  gamelib::StringManagerPtr strings = strings_ ? strings_ : engine->getStringManager();
  if (!strings) return;
  languageStamp_ = engine->getLanguage();
  setText(strings->getString(stringId_));
}

void GUIText::validate() {
  GUIEnginePtr engine = GUIEngine::getInstance();
  if (!font_ && fontStamp_ != engine->getDefaultStyle()) dropTree();
  if (languageStamp_ != engine->getLanguage()) reload();
  if (!root_) parse();
}

void GUIText::parse() {
  dropTree();
  if (!source_) return;
  GUITextChunkPtr root = new GUITextChunk(GUITextChunk::Paragraph, 0);
  paragraphDepth_ = 0;
  const std::u16string text(source_->view());
  parseContent(root, text, 0, 0);
  root_ = root;
}

}  // namespace guilib
