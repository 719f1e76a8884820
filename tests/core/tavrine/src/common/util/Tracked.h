#pragma once

#include "lang/DObject.h"

// An object that clears a flag of its owner's when it is deleted.
class Tracked : public qel::lang::DObject {
public:
  explicit Tracked(bool* alive) : alive_(alive) { *alive_ = true; }
  ~Tracked() override { *alive_ = false; }

private:
  bool* alive_;
};
