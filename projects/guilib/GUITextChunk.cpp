#include "guilib/GUITextChunk.h"

#include "guilib/GUIFont.h"
#include "lang/DPtr.h"
#include "util/DVector.h"

namespace guilib {

GUITextChunk::~GUITextChunk() = default;

void GUITextChunk::addChild(const GUITextChunkPtr& child) {
  if (!child) qel::lang::throwNullPointer();
  if (!children) children = new qel::util::DVector();
  children->addElement(child);
}

}  // namespace guilib
