#pragma once
// Reads the primitives of the binary parameter archive: little-endian 32-bit integers and
// length-prefixed strings. Every read is checked against the bytes that are left, so a
// truncated or hostile file ends in a failed read, never in a read past the buffer or in an
// allocation the file merely claims to need.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zavo {

class ArchiveReader {
 public:
  explicit ArchiveReader(std::string_view bytes) : bytes_(bytes) {}

  bool atEnd() const { return pos_ >= bytes_.size(); }
  std::size_t remaining() const { return bytes_.size() - pos_; }

  // False (and nothing consumed) when fewer than four bytes are left.
  bool readInt32(std::int32_t& out);
  // Fills out[0..count) or fails; on failure the archive is left at an undefined position.
  bool readInt32s(std::int32_t* out, std::size_t count);
  // False on a truncated string, on a length longer than what is left, and on the wide-string
  // and 64-bit length markers, which this program never writes.
  bool readString(std::string& out);

 private:
  bool readByte(std::uint8_t& out);
  bool readUint16(std::uint16_t& out);
  bool readUint32(std::uint32_t& out);

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

}  // namespace zavo
