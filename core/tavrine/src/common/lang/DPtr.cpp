#include "lang/DPtr.h"

#include "lang/DExceptionBase.h"

namespace qel::lang {

void throwNullPointer() { throw DExceptionBase(ExceptionCode::NullPointer); }

}  // namespace qel::lang
