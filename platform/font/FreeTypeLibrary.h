#pragma once

struct FT_LibraryRec_;

namespace wce {

// Owns one FreeType library instance.
class FreeTypeLibrary {
public:
  FreeTypeLibrary();
  ~FreeTypeLibrary();
  FreeTypeLibrary(const FreeTypeLibrary&) = delete;
  FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;

  FT_LibraryRec_* handle() const { return library_; }

private:
  FT_LibraryRec_* library_ = nullptr;
};

}  // namespace wce
