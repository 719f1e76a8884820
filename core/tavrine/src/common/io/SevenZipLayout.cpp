#include "io/SevenZipLayout.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <zlib.h>

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DbyteArray.h"
#include "lang/TextCodec.h"

namespace qel::io {

using qel::lang::DExceptionBase;
namespace ExceptionCode = qel::lang::ExceptionCode;
using Method = SevenZipFolderDecoder::Method;

namespace {

enum Property : uint8_t {
  End = 0x00,
  Header = 0x01,
  ArchiveProperties = 0x02,
  AdditionalStreamsInfo = 0x03,
  MainStreamsInfo = 0x04,
  FilesInfo = 0x05,
  PackInfo = 0x06,
  UnpackInfo = 0x07,
  SubStreamsInfo = 0x08,
  Size = 0x09,
  Crc = 0x0A,
  FolderList = 0x0B,
  CodersUnpackSize = 0x0C,
  NumUnpackStream = 0x0D,
  EmptyStream = 0x0E,
  EmptyFile = 0x0F,
  Name = 0x11,
  WinAttributes = 0x15,
  EncodedHeader = 0x17,
};

constexpr uint8_t Signature[6] = {'7', 'z', 0xBC, 0xAF, 0x27, 0x1C};
constexpr int64_t SignatureHeaderSize = 32;
// A packed header may expand this much and this far beyond its packed size.
constexpr int64_t PackedHeaderRatio = 1024;
constexpr int64_t PackedHeaderSlack = 1 << 16;
constexpr int MaxHeaderPackings = 4;

// A header shape left to libarchive: not followed here, never refused here.
struct Unfollowed {};

[[noreturn]] void tooManyItems() {
  throw DExceptionBase(ExceptionCode::IO, u"7z archive: header declares more items than it holds");
}

// libarchive parses a header before it checks its CRCs, so a damaged header
// is refused here, before it can claim memory there.
[[noreturn]] void damagedHeader() { throw DExceptionBase(ExceptionCode::IO, u"7z archive: damaged header"); }

uint32_t crcOf(const uint8_t* data, size_t size) {
  return static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), data, static_cast<uInt>(size)));
}

uint64_t littleEndian(const uint8_t* p, int bytes) {
  uint64_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
  return value;
}

std::vector<uint8_t> readRange(DInputStream& source, int64_t offset, int64_t size) {
  source.reset();
  if (source.skip(offset) != offset) throw Unfollowed{};
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  int64_t filled = 0;
  while (filled < size) {
    int32_t count =
        source.readRaw(bytes.data() + filled, static_cast<int32_t>(std::min<int64_t>(size - filled, 1 << 20)));
    if (count <= 0) throw Unfollowed{};
    filled += count;
  }
  return bytes;
}

// A cursor over header bytes.
class HeaderBytes {
public:
  explicit HeaderBytes(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

  size_t remaining() const { return bytes_.size() - at_; }
  uint8_t byte() {
    if (at_ >= bytes_.size()) throw Unfollowed{};
    return bytes_[at_++];
  }
  const uint8_t* take(uint64_t count) {
    if (count > remaining()) throw Unfollowed{};
    const uint8_t* start = bytes_.data() + at_;
    at_ += static_cast<size_t>(count);
    return start;
  }
  // The format's variable-length number: the leading one bits of the first
  // byte count the bytes that follow, low byte first.
  uint64_t number() {
    uint8_t first = byte();
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) {
      uint8_t mask = static_cast<uint8_t>(0x80 >> i);
      if ((first & mask) == 0) return value | (static_cast<uint64_t>(first & (mask - 1)) << (8 * i));
      value |= static_cast<uint64_t>(byte()) << (8 * i);
    }
    return value;
  }
  // A count of items that each take at least one of the bytes left.
  size_t count() {
    uint64_t value = number();
    if (value > remaining()) tooManyItems();
    return static_cast<size_t>(value);
  }

private:
  std::vector<uint8_t> bytes_;
  size_t at_ = 0;
};

struct Streams {
  int64_t packPosition = 0;
  std::vector<int64_t> packSizes;
  std::vector<SevenZipLayout::Folder> folders;
  std::vector<size_t> firstPackStream;
  // Per unpacked stream, folder by folder.
  std::vector<int64_t> sizes;
  std::vector<std::optional<uint32_t>> crcs;
};

std::vector<std::optional<uint32_t>> readDigests(HeaderBytes& in, size_t count) {
  std::vector<bool> defined(count, true);
  if (in.byte() == 0) {
    const uint8_t* bits = in.take((count + 7) / 8);
    for (size_t i = 0; i < count; ++i) defined[i] = bits[i / 8] & (0x80 >> (i % 8));
  }
  std::vector<std::optional<uint32_t>> digests(count);
  for (size_t i = 0; i < count; ++i)
    if (defined[i]) digests[i] = static_cast<uint32_t>(littleEndian(in.take(4), 4));
  return digests;
}

Method methodOf(const uint8_t* id, size_t size) {
  static const uint8_t lzma[] = {0x03, 0x01, 0x01};
  if (size == 1 && id[0] == 0x00) return Method::Copy;
  if (size == 1 && id[0] == 0x21) return Method::Lzma2;
  if (size == 3 && std::memcmp(id, lzma, 3) == 0) return Method::Lzma;
  return Method::Other;
}

void readPackInfo(HeaderBytes& in, Streams& streams) {
  streams.packPosition = static_cast<int64_t>(in.number());
  streams.packSizes.assign(in.count(), 0);
  for (uint8_t id = in.byte(); id != End; id = in.byte()) {
    if (id == Size) {
      for (int64_t& size : streams.packSizes) size = static_cast<int64_t>(in.number());
    } else if (id == Crc) {
      readDigests(in, streams.packSizes.size());
    } else {
      throw Unfollowed{};
    }
  }
}

struct FolderShape {
  size_t outputs = 0;
  size_t packedStreams = 0;
  size_t finalOutput = 0;  // the output no other coder reads
};

FolderShape readFolder(HeaderBytes& in, SevenZipLayout::Folder& folder) {
  size_t coders = in.count();
  size_t inputs = 0, outputs = 0;
  for (size_t i = 0; i < coders; ++i) {
    uint8_t flags = in.byte();
    if (flags & 0x80) throw Unfollowed{};
    size_t idSize = flags & 0x0F;
    const uint8_t* id = in.take(idSize);
    size_t coderInputs = 1, coderOutputs = 1;
    if (flags & 0x10) {
      coderInputs = in.count();
      coderOutputs = in.count();
    }
    std::vector<uint8_t> properties;
    if (flags & 0x20) {
      size_t size = in.count();
      const uint8_t* bytes = in.take(size);
      properties.assign(bytes, bytes + size);
    }
    if (i == 0) {
      folder.packed.method = methodOf(id, idSize);
      folder.packed.properties = std::move(properties);
    }
    inputs += coderInputs;
    outputs += coderOutputs;
    if (inputs > in.remaining() + 1 || outputs > in.remaining() + 1) tooManyItems();
  }
  if (outputs == 0 || inputs + 1 < outputs) throw Unfollowed{};
  std::vector<bool> bound(outputs, false);
  for (size_t i = 0; i + 1 < outputs; ++i) {
    in.number();
    uint64_t output = in.number();
    if (output >= outputs) throw Unfollowed{};
    bound[static_cast<size_t>(output)] = true;
  }
  FolderShape shape;
  shape.outputs = outputs;
  shape.finalOutput = static_cast<size_t>(std::find(bound.begin(), bound.end(), false) - bound.begin());
  if (shape.finalOutput == outputs) throw Unfollowed{};
  shape.packedStreams = inputs - (outputs - 1);
  if (shape.packedStreams > 1)
    for (size_t i = 0; i < shape.packedStreams; ++i) in.number();
  folder.single = coders == 1 && inputs == 1 && outputs == 1;
  return shape;
}

void readUnpackInfo(HeaderBytes& in, Streams& streams) {
  if (in.byte() != FolderList) throw Unfollowed{};
  streams.folders.resize(in.count());
  if (in.byte() != 0) throw Unfollowed{};  // folders kept outside the header
  std::vector<FolderShape> shapes;
  size_t packStream = 0;
  for (SevenZipLayout::Folder& folder : streams.folders) {
    shapes.push_back(readFolder(in, folder));
    streams.firstPackStream.push_back(packStream);
    packStream += shapes.back().packedStreams;
  }
  if (packStream > streams.packSizes.size()) throw Unfollowed{};
  if (in.byte() != CodersUnpackSize) throw Unfollowed{};
  for (size_t i = 0; i < streams.folders.size(); ++i) {
    for (size_t j = 0; j < shapes[i].outputs; ++j) {
      int64_t size = static_cast<int64_t>(in.number());
      if (j == shapes[i].finalOutput) streams.folders[i].unpackSize = size;
    }
  }
  for (uint8_t id = in.byte(); id != End; id = in.byte()) {
    if (id != Crc) throw Unfollowed{};
    std::vector<std::optional<uint32_t>> digests = readDigests(in, streams.folders.size());
    for (size_t i = 0; i < digests.size(); ++i) streams.folders[i].crc = digests[i];
  }
}

void readSubStreamsInfo(HeaderBytes& in, Streams& streams) {
  uint8_t id = in.byte();
  if (id == NumUnpackStream) {
    size_t extra = 0;
    for (SevenZipLayout::Folder& folder : streams.folders) {
      folder.streams = static_cast<int64_t>(in.count());
      extra += folder.streams > 1 ? static_cast<size_t>(folder.streams - 1) : 0;
      if (extra > in.remaining()) tooManyItems();
    }
    id = in.byte();
  }
  streams.sizes.clear();
  for (const SevenZipLayout::Folder& folder : streams.folders) {
    if (folder.streams == 0) continue;
    if (folder.streams > 1 && id != Size) throw Unfollowed{};
    int64_t sum = 0;
    for (int64_t j = 1; j < folder.streams; ++j) {
      int64_t size = static_cast<int64_t>(in.number());
      if (size < 0 || size > folder.unpackSize - sum) throw Unfollowed{};
      sum += size;
      streams.sizes.push_back(size);
    }
    streams.sizes.push_back(folder.unpackSize - sum);
  }
  if (id == Size) id = in.byte();
  streams.crcs.assign(streams.sizes.size(), std::nullopt);
  for (; id != End; id = in.byte()) {
    if (id != Crc) throw Unfollowed{};
    // Digests of every stream whose folder's own digest does not cover it.
    size_t wanted = 0;
    for (const SevenZipLayout::Folder& folder : streams.folders)
      if (!(folder.streams == 1 && folder.crc)) wanted += static_cast<size_t>(folder.streams);
    std::vector<std::optional<uint32_t>> digests = readDigests(in, wanted);
    size_t next = 0, stream = 0;
    for (const SevenZipLayout::Folder& folder : streams.folders) {
      for (int64_t j = 0; j < folder.streams; ++j, ++stream)
        streams.crcs[stream] = folder.streams == 1 && folder.crc ? folder.crc : digests[next++];
    }
  }
}

void readStreamsInfo(HeaderBytes& in, Streams& streams, int64_t sourceSize) {
  uint8_t id = in.byte();
  if (id == PackInfo) {
    readPackInfo(in, streams);
    id = in.byte();
  }
  if (id == UnpackInfo) {
    readUnpackInfo(in, streams);
    id = in.byte();
  }
  bool subStreams = id == SubStreamsInfo;
  if (subStreams) {
    readSubStreamsInfo(in, streams);
    id = in.byte();
  }
  if (id != End) throw Unfollowed{};
  if (!subStreams) {
    for (const SevenZipLayout::Folder& folder : streams.folders) {
      streams.sizes.push_back(folder.unpackSize);
      streams.crcs.push_back(folder.crc);
    }
  }
  int64_t offset = SignatureHeaderSize + streams.packPosition;
  std::vector<int64_t> packOffsets;
  for (int64_t size : streams.packSizes) {
    if (size < 0 || offset < 0 || size > sourceSize - offset) throw Unfollowed{};
    packOffsets.push_back(offset);
    offset += size;
  }
  for (size_t i = 0; i < streams.folders.size(); ++i) {
    SevenZipLayout::Folder& folder = streams.folders[i];
    if (!folder.single) continue;
    folder.packed.packOffset = packOffsets[streams.firstPackStream[i]];
    folder.packed.packSize = streams.packSizes[streams.firstPackStream[i]];
  }
}

}  // namespace

class SevenZipLayout::Parser {
public:
  Parser(DInputStream& source, SevenZipLayout& layout)
      : source_(source), layout_(layout), sourceSize_(std::max(source.available(), 0)) {}

  void run() {
    std::vector<uint8_t> start = readRange(source_, 0, SignatureHeaderSize);
    if (std::memcmp(start.data(), Signature, sizeof Signature) != 0) throw Unfollowed{};
    if (crcOf(start.data() + 12, 20) != littleEndian(start.data() + 8, 4)) damagedHeader();
    uint64_t offset = littleEndian(start.data() + 12, 8);
    uint64_t size = littleEndian(start.data() + 20, 8);
    if (size == 0) throw Unfollowed{};
    if (offset > static_cast<uint64_t>(sourceSize_) ||
        size > static_cast<uint64_t>(sourceSize_ - SignatureHeaderSize) - std::min<uint64_t>(offset, sourceSize_))
      damagedHeader();
    std::vector<uint8_t> header =
        readRange(source_, SignatureHeaderSize + static_cast<int64_t>(offset), static_cast<int64_t>(size));
    if (crcOf(header.data(), header.size()) != littleEndian(start.data() + 28, 4)) damagedHeader();
    for (int packings = 0; header[0] == EncodedHeader; ++packings) {
      if (packings == MaxHeaderPackings) throw Unfollowed{};
      header = unpackHeader(std::move(header));
    }
    readHeader(HeaderBytes(std::move(header)));
  }

private:
  std::vector<uint8_t> unpackHeader(std::vector<uint8_t> packed) {
    HeaderBytes in(std::move(packed));
    in.byte();
    Streams streams;
    readStreamsInfo(in, streams, sourceSize_);
    if (streams.folders.size() != 1 || !streams.folders[0].single) throw Unfollowed{};
    const Folder& folder = streams.folders[0];
    if (folder.unpackSize <= 0 || folder.unpackSize > PackedHeaderRatio * folder.packed.packSize + PackedHeaderSlack)
      tooManyItems();
    qel::lang::DbyteArrayPtr bytes;
    try {
      bytes = SevenZipFolderDecoder::decode(source_, folder.packed, static_cast<int32_t>(folder.unpackSize), u"header");
    } catch (DExceptionBase& e) {
      e.rethrowUnless(ExceptionCode::IO);
      throw Unfollowed{};
    }
    const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes->data());
    if (folder.crc && crcOf(data, static_cast<size_t>(bytes->length())) != *folder.crc) damagedHeader();
    if (bytes->length() == 0) throw Unfollowed{};
    return std::vector<uint8_t>(data, data + bytes->length());
  }

  void readHeader(HeaderBytes in) {
    if (in.byte() != Header) throw Unfollowed{};
    uint8_t id = in.byte();
    if (id == ArchiveProperties) {
      while (in.number() != 0) in.take(in.number());
      id = in.byte();
    }
    if (id == AdditionalStreamsInfo) {
      Streams ignored;
      readStreamsInfo(in, ignored, sourceSize_);
      id = in.byte();
    }
    Streams streams;
    if (id == MainStreamsInfo) {
      readStreamsInfo(in, streams, sourceSize_);
      id = in.byte();
    }
    if (id == FilesInfo) {
      readFiles(in, streams);
      id = in.byte();
    }
    if (id != End) throw Unfollowed{};
    layout_.folders_ = std::move(streams.folders);
  }

  // A property's bytes, as the files list gives it.
  struct Property {
    const uint8_t* data = nullptr;
    uint64_t size = 0;
  };

  void readFiles(HeaderBytes& in, const Streams& streams) {
    size_t count = in.count();
    std::vector<bool> empty(count, false);
    Property emptyFiles, names, attributes;
    for (uint64_t type = in.number(); type != End; type = in.number()) {
      uint64_t size = in.number();
      const uint8_t* data = in.take(size);
      if (type == EmptyFile) emptyFiles = {data, size};
      if (type == Name) names = {data, size};
      if (type == WinAttributes) attributes = {data, size};
      if (type != EmptyStream) continue;
      if (size < (count + 7) / 8) throw Unfollowed{};
      for (size_t i = 0; i < count; ++i) empty[i] = data[i / 8] & (0x80 >> (i % 8));
    }
    std::vector<File> files(count);
    size_t folder = 0, stream = 0;
    int64_t inFolder = 0, offset = 0;
    for (size_t i = 0; i < count; ++i) {
      if (empty[i]) continue;
      while (folder < streams.folders.size() && inFolder == streams.folders[folder].streams) {
        ++folder;
        inFolder = 0;
        offset = 0;
      }
      if (folder == streams.folders.size() || stream == streams.sizes.size()) throw Unfollowed{};
      files[i] = File{static_cast<int32_t>(folder), offset, streams.sizes[stream], streams.crcs[stream], {}, false};
      offset += streams.sizes[stream];
      ++stream;
      ++inFolder;
    }
    layout_.named_ = nameFiles(files, names) && classifyFiles(files, empty, emptyFiles, attributes);
    layout_.files_ = std::move(files);
  }

  // Null-terminated UTF-16LE names, one per file, kept in the header.
  static bool nameFiles(std::vector<File>& files, Property names) {
    if (names.size < 1 || names.data[0] != 0 || (names.size - 1) % 2 != 0) return false;
    std::u16string name;
    size_t file = 0;
    for (uint64_t at = 1; at < names.size; at += 2) {
      char16_t unit = static_cast<char16_t>(names.data[at] | (names.data[at + 1] << 8));
      if (unit != 0) {
        name.push_back(unit);
        continue;
      }
      if (file == files.size() || !wellFormed(name)) return false;
      files[file++].name = qel::lang::toMultiByte(name);
      name.clear();
    }
    return file == files.size() && name.empty();
  }

  static bool wellFormed(std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
      bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF, low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
      if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        ++i;
      } else if (high || low) {
        return false;
      }
    }
    return true;
  }

  // libarchive's kinds: the high half of an attribute is a file mode; a
  // file without data is a folder unless marked an empty file. Anything
  // but plain files and folders is left to libarchive.
  static bool classifyFiles(std::vector<File>& files, const std::vector<bool>& empty, Property emptyFiles,
                            Property attributes) {
    constexpr uint32_t TypeMask = 0170000, Folder = 0040000, Plain = 0100000;
    std::vector<uint32_t> modes(files.size(), 0);
    if (attributes.data) {
      if (attributes.size != 2 + 4 * uint64_t{files.size()} || attributes.data[0] != 1 || attributes.data[1] != 0)
        return false;
      for (size_t i = 0; i < files.size(); ++i)
        modes[i] = static_cast<uint32_t>(littleEndian(attributes.data + 2 + 4 * i, 4)) >> 16;
    }
    size_t emptyIndex = 0;
    for (size_t i = 0; i < files.size(); ++i) {
      uint32_t type = modes[i] & TypeMask;
      if (type != 0 && type != Folder && type != Plain) return false;
      if (!empty[i]) {
        files[i].directory = type == Folder;
        continue;
      }
      bool emptyFile = emptyFiles.data && emptyIndex / 8 < emptyFiles.size &&
                       (emptyFiles.data[emptyIndex / 8] & (0x80 >> (emptyIndex % 8)));
      ++emptyIndex;
      files[i].directory = type == Folder || !emptyFile;
    }
    return true;
  }

  DInputStream& source_;
  SevenZipLayout& layout_;
  int64_t sourceSize_;
};

SevenZipLayout SevenZipLayout::read(DInputStream& source) {
  SevenZipLayout layout;
  try {
    Parser(source, layout).run();
  } catch (const Unfollowed&) {
    return SevenZipLayout();
  }
  return layout;
}

int32_t SevenZipLayout::folderOf(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= files_.size()) return -1;
  return files_[static_cast<size_t>(index)].folder;
}

}  // namespace qel::io
