#include "params/document/ArchiveReader.h"

#include "params/document/ArchiveFormat.h"

namespace zavo {

bool ArchiveReader::readByte(std::uint8_t& out) {
  if (remaining() < 1) return false;
  out = static_cast<std::uint8_t>(bytes_[pos_++]);
  return true;
}

bool ArchiveReader::readUint16(std::uint16_t& out) {
  if (remaining() < 2) return false;
  out = static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes_[pos_]) |
                                   static_cast<std::uint8_t>(bytes_[pos_ + 1]) << 8);
  pos_ += 2;
  return true;
}

bool ArchiveReader::readUint32(std::uint32_t& out) {
  if (remaining() < 4) return false;
  out = 0;
  for (int i = 3; i >= 0; --i) out = out << 8 | static_cast<std::uint8_t>(bytes_[pos_ + static_cast<std::size_t>(i)]);
  pos_ += 4;
  return true;
}

bool ArchiveReader::readInt32(std::int32_t& out) {
  std::uint32_t u = 0;
  if (!readUint32(u)) return false;
  out = static_cast<std::int32_t>(u);
  return true;
}

bool ArchiveReader::readInt32s(std::int32_t* out, std::size_t count) {
  if (remaining() / 4 < count) return false;
  for (std::size_t i = 0; i < count; ++i) readInt32(out[i]);
  return true;
}

bool ArchiveReader::readString(std::string& out) {
  std::uint8_t shortLength = 0;
  if (!readByte(shortLength)) return false;
  std::uint32_t length = shortLength;
  if (shortLength == kArchiveLengthEscape8) {
    std::uint16_t mid = 0;
    if (!readUint16(mid)) return false;
    length = mid;
    if (mid == kArchiveWideMarker16) return false;
    if (mid == kArchiveLengthEscape16) {
      if (!readUint32(length)) return false;
      if (length == kArchiveLengthEscape32) return false;
    }
  }
  if (length > remaining()) return false;
  out.assign(bytes_.substr(pos_, length));
  pos_ += length;
  return true;
}

}  // namespace zavo
