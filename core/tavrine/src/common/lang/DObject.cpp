#include "lang/DObject.h"

#include "lang/DInteger.h"
#include "lang/DString.h"

namespace qel::lang {

std::string DObject::getClassName() const { return "DObject"; }

DStringPtr DObject::toString() const { return DString::concat(u"DObject@", DInteger::toHexString(hashCode())); }

int32_t DObject::hashCode() const { return static_cast<int32_t>(reinterpret_cast<uintptr_t>(this) & 0x7fffffffu); }

bool DObject::equals(const DObject* other) const { return other == this; }

bool DObject::isClassNamed(const DObject* object, const DStringPtr& name) {
  if (!object || !name) return false;
  DString className(object->getClassName().c_str());
  return className.view() == name->view();
}

}  // namespace qel::lang
