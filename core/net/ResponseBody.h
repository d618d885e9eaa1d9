#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace meltemix {

// The documents are a few kilobytes; a body that grows past this is not one of them, and an
// endless one must not take all the memory there is.
constexpr std::size_t MaxResponseBytes = 16u * 1024u * 1024u;

// The chunk size of every read: 8193 bytes, one more than the usual page.
constexpr std::uint32_t ResponseChunkBytes = 8193;

// Reads one chunk into `buffer` (at most `capacity` bytes) and says how many arrived; false
// when the read itself failed.
using ChunkReader = std::function<bool(char* buffer, std::uint32_t capacity, std::uint32_t& read)>;

// Collects a response body chunk by chunk until a read brings nothing or fails. Whatever
// arrived before a failed read is the body (0). A body larger than `limit` is dropped and
// counts as no response at all (-1).
int ReadResponseBody(const ChunkReader& readChunk, std::string& body,
                     std::size_t limit = MaxResponseBytes);

} // namespace meltemix
