#include <cstdlib>
#include <map>
#include <mutex>
#include <vector>

#include "platform/mapi/Mapi.h"
#include "platform/mapi/MapiState.h"

namespace wce {

namespace {

// Every live block, mapped to the root it is freed with.
struct Buffers {
  std::mutex guard;
  std::map<void*, void*> rootOf;
  std::map<void*, std::vector<void*>> more;
};

Buffers& buffers() {
  static Buffers instance;
  return instance;
}

void* allocate(ULONG size) { return std::calloc(1, size == 0 ? 1 : size); }

}  // namespace

HRESULT MAPIAllocateBuffer(ULONG size, void** buffer) {
  if (!buffer) return E_INVALIDARG;
  void* block = allocate(size);
  if (!block) return E_OUTOFMEMORY;
  Buffers& state = buffers();
  std::lock_guard lock(state.guard);
  state.rootOf[block] = block;
  state.more[block];
  *buffer = block;
  return S_OK;
}

HRESULT MAPIAllocateMore(ULONG size, void* parent, void** buffer) {
  if (!buffer) return E_INVALIDARG;
  Buffers& state = buffers();
  std::lock_guard lock(state.guard);
  const auto found = state.rootOf.find(parent);
  if (found == state.rootOf.end()) return E_INVALIDARG;
  void* block = allocate(size);
  if (!block) return E_OUTOFMEMORY;
  void* root = found->second;
  state.rootOf[block] = root;
  state.more[root].push_back(block);
  *buffer = block;
  return S_OK;
}

ULONG MAPIFreeBuffer(void* buffer) {
  if (!buffer) return S_OK;
  Buffers& state = buffers();
  std::lock_guard lock(state.guard);
  const auto root = state.more.find(buffer);
  if (root == state.more.end()) return static_cast<ULONG>(E_INVALIDARG);
  for (void* block : root->second) {
    state.rootOf.erase(block);
    std::free(block);
  }
  state.more.erase(root);
  state.rootOf.erase(buffer);
  std::free(buffer);
  return S_OK;
}

namespace mapi {

int liveBuffers() {
  Buffers& state = buffers();
  std::lock_guard lock(state.guard);
  return static_cast<int>(state.more.size());
}

}  // namespace mapi

}  // namespace wce
