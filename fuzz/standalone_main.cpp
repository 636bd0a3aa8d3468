// Runs a fuzzer's LLVMFuzzerTestOneInput without libFuzzer. With file arguments it runs
// each file once; without, a fixed series of pseudo-random and mutated inputs, the same
// on every run, so that the smoke test is repeatable and quick. With --write-seeds DIR it
// writes the fuzzer's own seeds there as files, the corpus libFuzzer starts from.

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "fuzzseeds.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

constexpr int kRandomInputs = 1000;
constexpr int kMutatedInputs = 3000;
constexpr size_t kMaxRandomSize = 70000;

// splitmix64: its sequence is fixed by its definition, unlike std:: distributions.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    size_t below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(next() % n); }
    uint8_t byte() { return static_cast<uint8_t>(next()); }

private:
    uint64_t state_;
};

// Values at the edges of the ranges the readers check.
constexpr int32_t kInteresting[] = {
    0,   1,   2,   3,    4,    7,    8,    15,    16,    64,    65, 127, 128,        255,
    256, 320, 321, 1023, 1024, 1025, 8192, 65535, 65536, 65537, -1, -8,  0x7FFFFFFF, INT32_MIN};

std::string randomInput(Random& random) {
    // Mostly short inputs, now and then one as large as a full project file.
    const size_t size = random.below(4) == 0 ? random.below(kMaxRandomSize) : random.below(64);
    std::string s(size, '\0');
    for (char& c : s) {
        c = static_cast<char>(random.byte());
    }
    return s;
}

void mutate(std::string& s, Random& random) {
    const int steps = 1 + static_cast<int>(random.below(4));
    for (int i = 0; i < steps; ++i) {
        switch (random.below(8)) {
            case 0:  // flip a bit
                if (!s.empty()) {
                    s[random.below(s.size())] ^= static_cast<char>(1 << random.below(8));
                }
                break;
            case 1:  // set a byte
                if (!s.empty()) {
                    s[random.below(s.size())] = static_cast<char>(random.byte());
                }
                break;
            case 2: {  // an edge value as a little-endian 32-bit number
                if (s.size() >= 4) {
                    const auto v =
                        static_cast<uint32_t>(kInteresting[random.below(std::size(kInteresting))]);
                    const size_t at = random.below(s.size() - 3);
                    for (int k = 0; k < 4; ++k) {
                        s[at + k] = static_cast<char>((v >> (8 * k)) & 0xFF);
                    }
                }
                break;
            }
            case 3:  // cut the end off
                s.resize(random.below(s.size() + 1));
                break;
            case 4:  // drop a range
                if (!s.empty()) {
                    const size_t at = random.below(s.size());
                    s.erase(at, random.below(s.size() - at + 1));
                }
                break;
            case 5: {  // insert random bytes
                std::string extra(random.below(32), '\0');
                for (char& c : extra) {
                    c = static_cast<char>(random.byte());
                }
                s.insert(random.below(s.size() + 1), extra);
                break;
            }
            case 6:  // repeat a chunk
                if (!s.empty()) {
                    const size_t at = random.below(s.size());
                    s.append(s.substr(at, random.below(256)));
                }
                break;
            default:  // an edge value as a single byte
                if (!s.empty()) {
                    s[random.below(s.size())] =
                        static_cast<char>(kInteresting[random.below(std::size(kInteresting))]);
                }
                break;
        }
    }
}

// A fresh heap block of exactly the input's size, so an overrun lands outside it.
void runOne(const std::string& input) {
    std::unique_ptr<uint8_t[]> copy(new uint8_t[input.size() + 1]);
    std::memcpy(copy.get(), input.data(), input.size());
    LLVMFuzzerTestOneInput(copy.get(), input.size());
}

int writeSeeds(const char* dir) {
    const std::vector<std::string> seeds = fuzzSeeds ? fuzzSeeds() : std::vector<std::string>{};
    for (size_t i = 0; i < seeds.size(); ++i) {
        const std::string path = std::string(dir) + "/seed-" + std::to_string(i);
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(seeds[i].data(), static_cast<std::streamsize>(seeds[i].size()));
        if (!file.flush()) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    std::printf("wrote %zu seed(s) to %s\n", seeds.size(), dir);
    return 0;
}

int runFiles(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "cannot open %s\n", argv[i]);
            return 1;
        }
        runOne(std::string(std::istreambuf_iterator<char>(file), {}));
    }
    std::printf("ran %d file(s)\n", argc - 1);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-seeds") == 0) {
        return writeSeeds(argv[2]);
    }
    if (argc > 1) {
        return runFiles(argc, argv);
    }
    const auto start = std::chrono::steady_clock::now();
    Random random(0x70F1C0DE);
    std::vector<std::string> pool = fuzzSeeds ? fuzzSeeds() : std::vector<std::string>{};
    for (const std::string& seed : pool) {
        runOne(seed);
    }
    // Without seeds of its own the fuzzer's mutations start from the first random inputs.
    const bool seeded = !pool.empty();
    for (int i = 0; i < kRandomInputs; ++i) {
        std::string input = randomInput(random);
        runOne(input);
        if (!seeded && pool.size() < 64) {
            pool.push_back(std::move(input));
        }
    }
    for (int i = 0; i < kMutatedInputs; ++i) {
        std::string input = pool[random.below(pool.size())];
        mutate(input, random);
        runOne(input);
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    std::printf("ran %d inputs in %lld ms\n", kRandomInputs + kMutatedInputs,
                static_cast<long long>(ms));
    return 0;
}
