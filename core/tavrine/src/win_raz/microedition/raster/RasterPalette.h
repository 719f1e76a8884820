#pragma once

#include <cstdint>
#include <memory>

namespace qel::raster {

// The colour table of indexed surfaces: count 0x00RRGGBB entries and a
// lazily built RGB565 copy. Storage always covers the 256 values an index
// byte can take; entries beyond count stay 0.
class RasterPalette {
public:
  explicit RasterPalette(int32_t count = 256);
  RasterPalette(const RasterPalette& other);
  RasterPalette& operator=(const RasterPalette& other);
  ~RasterPalette();

  // Copies count, entries and cache state; the cache only when the
  // source's is valid.
  void assign(const RasterPalette& other);

  int32_t count() const { return count_; }
  // format 2: the entries, format 1: the RGB565 cache (rebuilt when stale),
  // other formats: null.
  const void* getTable(int32_t format);
  const uint32_t* entries() const { return entries_.get(); }
  const uint16_t* rgb565Table();
  void buildCache(int32_t format);
  uint32_t getEntry(int32_t index, int32_t format);
  void setEntry(int32_t index, uint32_t rgb);

private:
  int32_t storageSize() const;
  void allocate(int32_t count);

  int32_t count_ = 0;
  std::unique_ptr<uint32_t[]> entries_;
  std::unique_ptr<uint16_t[]> cache_;
  int32_t cacheFormat_ = 0;  // 0 stale or absent, 1 RGB565
};

}  // namespace qel::raster
