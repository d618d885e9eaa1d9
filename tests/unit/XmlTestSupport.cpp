#include "XmlTestSupport.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace meltemix::test {

std::string ReadTestData(const std::string& name) {
#ifdef _WIN32
    const std::string path = std::string("Z:") + MELTEMIX_TEST_DATA + "/" + name;
#else
    const std::string path = std::string(MELTEMIX_TEST_DATA) + "/" + name;
#endif
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("missing test data " + path);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

} // namespace meltemix::test
