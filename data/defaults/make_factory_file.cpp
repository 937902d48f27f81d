// Builds one factory default file of the program folder from its readable
// source. The source says which header the file gets and which bytes its
// record holds; every byte not named is 0.
//
//   # comment (to the end of the line, anywhere)
//   kind 1                 device kind code of the header (1 keyboard, 2 mouse, 3 mousepad)
//   size 1958              record size in bytes (the file is 16 bytes longer)
//   @21 ff 00 7f           bytes in hex from a decimal record offset on
//   fill 68 1890 ff        a hex byte pattern repeated <count> times from <offset> on
//
// Usage: make_factory_file <source> <output>. Any error names the line and
// writes nothing.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Source {
    int kind = -1;
    long size = -1;
    std::vector<std::pair<long, std::vector<std::uint8_t>>> writes;
};

bool parseHex(const std::string& word, std::uint8_t& out) {
    if (word.size() != 2)
        return false;
    unsigned value = 0;
    for (char c : word) {
        value <<= 4;
        if (c >= '0' && c <= '9')
            value |= unsigned(c - '0');
        else if (c >= 'a' && c <= 'f')
            value |= unsigned(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            value |= unsigned(c - 'A' + 10);
        else
            return false;
    }
    out = std::uint8_t(value);
    return true;
}

bool parseBytes(std::istringstream& in, std::vector<std::uint8_t>& bytes) {
    std::string word;
    while (in >> word) {
        std::uint8_t b = 0;
        if (!parseHex(word, b))
            return false;
        bytes.push_back(b);
    }
    return !bytes.empty();
}

bool parseLine(const std::string& raw, Source& src, std::string& error) {
    const std::string line = raw.substr(0, raw.find('#'));
    std::istringstream in(line);
    std::string word;
    if (!(in >> word))
        return true;
    if (word == "kind") {
        if (!(in >> src.kind) || src.kind < 1 || src.kind > 3)
            return error = "kind must be 1, 2 or 3", false;
    } else if (word == "size") {
        if (!(in >> src.size) || src.size <= 0 || src.size > 4096)
            return error = "bad size", false;
    } else if (word[0] == '@') {
        long offset = -1;
        try {
            offset = std::stol(word.substr(1));
        } catch (...) {
            return error = "bad offset", false;
        }
        std::vector<std::uint8_t> bytes;
        if (offset < 0 || !parseBytes(in, bytes))
            return error = "expected @offset and hex bytes", false;
        src.writes.emplace_back(offset, std::move(bytes));
    } else if (word == "fill") {
        long offset = -1, count = -1;
        std::vector<std::uint8_t> pattern;
        if (!(in >> offset >> count) || offset < 0 || count <= 0 || !parseBytes(in, pattern))
            return error = "expected fill offset count hex bytes", false;
        std::vector<std::uint8_t> bytes;
        for (long i = 0; i < count; ++i)
            bytes.insert(bytes.end(), pattern.begin(), pattern.end());
        src.writes.emplace_back(offset, std::move(bytes));
    } else {
        return error = "unknown directive '" + word + "'", false;
    }
    if (std::string rest; word != "fill" && word[0] != '@' && (in >> rest))
        return error = "unexpected '" + rest + "'", false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <source> <output>\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "%s: cannot read\n", argv[1]);
        return 1;
    }
    Source src;
    std::string line, error;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!parseLine(line, src, error)) {
            std::fprintf(stderr, "%s:%d: %s\n", argv[1], number, error.c_str());
            return 1;
        }
    }
    if (src.kind < 0 || src.size < 0) {
        std::fprintf(stderr, "%s: kind and size are required\n", argv[1]);
        return 1;
    }
    std::vector<std::uint8_t> file(16 + std::size_t(src.size), 0);
    file[0] = 0xAA;  // magic 0x55AA, little-endian
    file[1] = 0x55;
    file[4] = std::uint8_t(src.kind);
    for (const auto& [offset, bytes] : src.writes) {
        if (offset + long(bytes.size()) > src.size) {
            std::fprintf(stderr, "%s: bytes at %ld run past the record's %ld bytes\n", argv[1],
                         offset, src.size);
            return 1;
        }
        for (std::size_t i = 0; i < bytes.size(); ++i)
            file[16 + std::size_t(offset) + i] = bytes[i];
    }
    const std::filesystem::path out(argv[2]);
    std::filesystem::create_directories(out.parent_path());
    std::ofstream o(out, std::ios::binary | std::ios::trunc);
    o.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    if (!o.flush()) {
        std::fprintf(stderr, "%s: cannot write\n", argv[2]);
        return 1;
    }
    return 0;
}
