// Arbitrary bytes as a DriveLink reply: the classification never reads outside the reply.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/DriveLinkCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t request = data[0];
  const std::size_t expected = data[1] % 48;
  // Copy into a buffer of exactly the reply's size so ASan sees any overread.
  std::vector<std::uint8_t> reply(data + 2, data + size);
  const auto kind = zavo::drivelink::classifyReply(request, reply, expected);
  if (kind == zavo::drivelink::ReplyKind::DataValid && reply.size() >= 5)
    (void)zavo::drivelink::hexValue16(reply.data() + 1);
  (void)zavo::drivelink::requestLength(reply);
  (void)zavo::drivelink::checksumMatches(reply);
  return 0;
}
