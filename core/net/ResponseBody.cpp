#include "core/net/ResponseBody.h"

#include <vector>

namespace meltemix {

int ReadResponseBody(const ChunkReader& readChunk, std::string& body, std::size_t limit) {
    body.clear();
    std::vector<char> chunk(ResponseChunkBytes);
    for (;;) {
        std::fill(chunk.begin(), chunk.end(), '\0');
        std::uint32_t read = 0;
        if (!readChunk(chunk.data(), ResponseChunkBytes, read))
            break;
        if (read > ResponseChunkBytes)
            read = ResponseChunkBytes;
        if (body.size() + read > limit) {
            body.clear();
            body.shrink_to_fit();
            return -1;
        }
        body.append(chunk.data(), read);
        if (read == 0)
            break;
    }
    return 0;
}

} // namespace meltemix
