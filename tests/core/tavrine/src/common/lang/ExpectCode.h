#pragma once

#include <cstdint>
#include <gtest/gtest.h>

#include "lang/DExceptionBase.h"

// Runs body and answers the code of the DExceptionBase it throws, 0 when
// it throws none.
template <class Body>
uint32_t thrownCode(Body&& body) {
  try {
    body();
  } catch (const qel::lang::DExceptionBase& e) {
    return e.code();
  }
  return 0;
}

#define EXPECT_THROWS_CODE(code, statement) EXPECT_EQ(thrownCode([&] { (void)(statement); }), (code))
