#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "StreamBytes.h"
#include "io/DArchive.h"
#include "io/DByteArrayInputStream.h"
#include "lang/DString.h"
#include "lang/TextCodec.h"

// Archives made by 7zz, Info-ZIP zip and Python's zipfile (data/archives/make-archives.sh),
// and the files they hold.
inline std::vector<uint8_t> readFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::vector<uint8_t> archiveBytes(const std::string& name) {
  return readFileBytes(std::string(NV_TEST_DATA_DIR) + "/archives/" + name);
}

inline const std::vector<uint8_t>& heldFileBytes(const std::string& name) {
  static std::map<std::string, std::vector<uint8_t>> files;
  auto found = files.find(name);
  if (found == files.end())
    found = files.emplace(name, readFileBytes(std::string(NV_TEST_DATA_DIR) + "/archives/files/" + name)).first;
  return found->second;
}

inline qel::io::DInputStreamPtr memoryStream(const std::vector<uint8_t>& bytes) {
  return new qel::io::DByteArrayInputStream(arrayOf(bytes));
}

inline qel::io::DArchivePtr openArchive(const std::vector<uint8_t>& bytes) {
  return qel::io::DArchive::createFromStream(memoryStream(bytes), u"");
}

inline qel::io::DArchivePtr openArchive(const std::string& name) { return openArchive(archiveBytes(name)); }

inline qel::lang::DStringPtr text(const std::string& s) { return new qel::lang::DString(qel::lang::fromMultiByte(s)); }

// The whole entry, read through the stream's data block.
inline std::vector<uint8_t> entryBytes(qel::io::DArchive& archive, const std::string& name) {
  qel::io::DInputStreamPtr in = archive.openEntryStream(text(name));
  const uint8_t* data = in->getData();
  return std::vector<uint8_t>(data, data + in->getDataLength());
}
