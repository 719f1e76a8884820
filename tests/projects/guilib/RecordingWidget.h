#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "guilib/GUIWidget.h"

// A widget that records the events it receives and the data of pointer
// events (two or four ints).
class RecordingWidget final : public guilib::GUIWidget {
public:
  struct Received {
    int32_t event;
    std::vector<int32_t> data;
    bool operator==(const Received&) const = default;
  };

  explicit RecordingWidget(int32_t id = -1) : GUIWidget(id) {}

  bool handleEvent(int32_t event, bool broadcast, const void* data, int32_t size) override {
    std::vector<int32_t> values(size > 0 ? static_cast<size_t>(size) / 4 : 0);
    if (!values.empty()) std::memcpy(values.data(), data, values.size() * 4);
    received.push_back({event, values});
    return GUIWidget::handleEvent(event, broadcast, data, size);
  }

  void dispose() override {
    ++disposals;
    GUIWidget::dispose();
  }

  // The events received, in order, leaving out state-change events.
  std::vector<int32_t> events() const {
    std::vector<int32_t> out;
    for (const Received& r : received)
      if (r.event < StateOnEvent) out.push_back(r.event);
    return out;
  }

  // The data of the received events of one kind.
  std::vector<std::vector<int32_t>> dataOf(int32_t event) const {
    std::vector<std::vector<int32_t>> out;
    for (const Received& r : received)
      if (r.event == event) out.push_back(r.data);
    return out;
  }

  std::vector<Received> received;
  int disposals = 0;
};
