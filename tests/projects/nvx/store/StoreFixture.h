#pragma once

#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "microedition/rms/DRecordStore.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/GameTables.h"
#include "nvx/src/state/MainCanvas.h"
#include "nvx/src/world/Person.h"
#include "tests/projects/gamelib/GameFolder.h"

namespace nvx {

using Bytes = std::vector<uint8_t>;

// A fresh user folder (and with it an empty set of record stores), the
// game's statics built and its five persons made, for each test.
class StoreFixture : public ::testing::Test {
protected:
  void SetUp() override {
    MainCanvas::initStatics();
    for (int32_t id = 0; id < 5; ++id) GameTables::persons[id] = new Person(id);
    GameState::saveSlot = 1;
    GameState::saveExists = 0;
  }
  void TearDown() override { GameState::sounds.release(); }

  // The record's bytes, or nothing when the store or record is missing.
  static std::optional<Bytes> record(const char16_t* store, int32_t id) {
    using qel::rms::DRecordStore;
    try {
      qel::lang::DbyteArrayPtr data = DRecordStore::openRecordStore(store, false)->getRecord(id);
      const auto* first = reinterpret_cast<const uint8_t*>(data->data());
      return Bytes(first, first + data->length());
    } catch (qel::lang::DExceptionBase&) {
      return std::nullopt;
    }
  }

  static int32_t recordCount(const char16_t* store) {
    return qel::rms::DRecordStore::openRecordStore(store, false)->getNumRecords();
  }

  // Deletes the store when there is one.
  static void dropStore(const char16_t* store) {
    try {
      qel::rms::DRecordStore::deleteRecordStore(store);
    } catch (qel::lang::DExceptionBase&) {}
  }

  // Adds the records to a new store, ids from 1.
  static void putRecords(const char16_t* store, const std::vector<Bytes>& records) {
    auto records_ = qel::rms::DRecordStore::openRecordStore(store, true);
    for (const Bytes& bytes : records) {
      qel::lang::DbyteArrayPtr data = new qel::lang::DbyteArray(static_cast<int32_t>(bytes.size()));
      for (size_t i = 0; i < bytes.size(); ++i) data[static_cast<int32_t>(i)] = static_cast<int8_t>(bytes[i]);
      records_->addRecord(data, 0, data->length());
    }
  }

  static Person& person(int32_t id) { return *static_cast<Person*>(GameTables::persons[id].get()); }

  GameFolder folder_;
};

}  // namespace nvx
