// The remembered-settings file lives in the user's folder, where anything may
// have edited it. Any content must read without a fault, and storing the port
// number must keep every other line, read back as stored and leave a file
// that reads the same way again.
#include "platform/RegistryStore.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string freshFolder() {
    // A memory file system where there is one: every store syncs the file.
    const std::filesystem::path root = std::filesystem::is_directory("/dev/shm")
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    const auto base = root / ("vexor-fuzz-registry-" + std::to_string(::getpid()));
    std::filesystem::create_directories(base);
    static const std::string made = base.string();
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(made, ignored);
    });
    return made;
}

std::size_t countLines(const std::string& text) {
    std::size_t lines = 0;
    for (std::size_t start = 0; start < text.size(); ++lines) {
        const std::size_t end = text.find('\n', start);
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = freshFolder();
    CRegistryStore store(folder);
    const std::string content(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream out(store.filePath(), std::ios::binary | std::ios::trunc);
        out << content;
    }

    store.value(CRegistryStore::kLastPortKey);
    store.value("");
    store.lastPort();

    const int port = static_cast<int>(size % 40) + 1;
    if (!store.setLastPort(port) || store.lastPort() != port)
        std::abort();
    // Lines are replaced in place or one is added; none is lost.
    std::ifstream in(store.filePath(), std::ios::binary);
    const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (countLines(after) < countLines(content))
        std::abort();
    return 0;
}
