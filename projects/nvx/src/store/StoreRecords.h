#pragma once

#include <cstdint>
#include <optional>
#include <utility>

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

  // Records 1 and 2, written so that they change together: the new pair
  // goes whole into record 3 first, then into records 1 and 2, and record 3
  // is deleted. A store with fewer than two records holds no pair to keep
  // and gets the records as they are. Framework failures are thrown.
  static void putPair(const qel::lang::DStringPtr& store, const qel::lang::DbyteArrayPtr& first,
                      const qel::lang::DbyteArrayPtr& second);
  // Records 1 and 2 as putPair left them: the pair of record 3 when a write
  // was cut short after it (finished into records 1 and 2 when it can be),
  // else records 1 and 2: none when record 1 is missing, the second null
  // when record 2 is.
  static std::optional<std::pair<qel::lang::DbyteArrayPtr, qel::lang::DbyteArrayPtr>> readPair(
      const qel::lang::DStringPtr& store);

  // Deletes the store; false when there was none to delete.
  static bool remove(const qel::lang::DStringPtr& store);

  // One line on the error stream about a record that was not used.
  static void logRefused(const qel::lang::DStringPtr& store, const char* why);
};

}  // namespace nvx
