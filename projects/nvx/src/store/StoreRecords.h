#pragma once

#include <cstdint>

#include "io/DDataInputStream.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"

namespace nvx {

// Whole records of the game's stores. Readers answer null for a store or
// record that is missing or cannot be read; writers replace a record in one
// step, so a failed write leaves the record as it was.
class StoreRecords {
public:
  // The store's name followed by the decimal number ("save" 1 -> "save1").
  static qel::lang::DStringPtr numberedName(const qel::lang::DStringPtr& base, int32_t number);

  // Record id of the store, or null.
  static qel::lang::DbyteArrayPtr read(const qel::lang::DStringPtr& store, int32_t id);
  // A big-endian reader over a record.
  static qel::io::DDataInputStreamPtr reader(const qel::lang::DbyteArrayPtr& record);

  // Opens the store, creating it when missing, and adds the bytes as
  // record 1 when the store is empty, else replaces record 1. Framework
  // failures are thrown.
  static void putFirst(const qel::lang::DStringPtr& store, const qel::lang::DbyteArrayPtr& bytes);

  // Deletes the store; false when there was none to delete.
  static bool remove(const qel::lang::DStringPtr& store);

  // One line on the error stream about a record that was not used.
  static void logRefused(const qel::lang::DStringPtr& store, const char* why);
};

}  // namespace nvx
