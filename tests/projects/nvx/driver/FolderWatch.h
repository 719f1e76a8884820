#pragma once

#include <filesystem>

// Tells whether anything below a folder may have changed since it last
// asked, through inotify watches on every folder of the tree, so that an
// unchanged tree costs one system call. Without inotify every call answers
// yes.
class FolderWatch {
public:
  explicit FolderWatch(std::filesystem::path root);
  ~FolderWatch();
  FolderWatch(const FolderWatch&) = delete;
  FolderWatch& operator=(const FolderWatch&) = delete;

  // True on the first call and after any change below the root; a folder
  // made meanwhile is watched from now on.
  bool changed();

private:
  // Whether events are waiting; drains them.
  bool drained();
  void watchTree();

  std::filesystem::path root_;
  int descriptor_;
  bool first_ = true;
};
