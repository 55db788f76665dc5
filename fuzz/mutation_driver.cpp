// A small stand-in for libFuzzer where the compiler has none: the same fuzz targets, fed with
// every file of the corpus and then with seeded mutations of them until the time or run limit.
// It takes the libFuzzer options the scripts use:
//   fuzz_x [-seed=N] [-max_total_time=SECONDS] [-runs=N] [-timeout=SECONDS] DIR_OR_FILE...
// Without -runs and -max_total_time it only runs the corpus. An input that crashes, aborts or
// runs past the timeout is written to crash-<seed>-<run> in the working folder.

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

using Bytes = std::vector<uint8_t>;

// The input being run, for the signal handler.
const Bytes *current = nullptr;
char crashName[64] = "crash";

void writeCurrent() {
    if (!current) return;
    const int fd = ::open(crashName, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    const ssize_t written = ::write(fd, current->data(), current->size());
    (void)written;
    ::close(fd);
    const char note[] = "\nfuzz: input written to ";
    (void)!::write(2, note, sizeof note - 1);
    (void)!::write(2, crashName, std::strlen(crashName));
    (void)!::write(2, "\n", 1);
}

void onFatal(int sig) {
    writeCurrent();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

void onTimeout(int) {
    const char note[] = "fuzz: an input ran past the timeout\n";
    (void)!::write(2, note, sizeof note - 1);
    writeCurrent();
    std::_Exit(70);
}

// Byte strings the formats are made of, so mutations reach past the first checks.
const std::vector<Bytes> &tokens() {
    static const std::vector<Bytes> list = [] {
        std::vector<Bytes> t;
        for (const char *s : {",",          "\"",      "\"\"",   "\",",
                              "\r\n",       "\n",      "\r",     "\\",
                              "/",          "0",       "-1",     "99999999999",
                              "2018/02/29", "男",      "女",     "\xEF\xBB\xBF",
                              "\x82\xA0",   "\xFF",    "社員名", "社員番号",
                              "生年月日",   "賃金等級"})
            t.emplace_back(s, s + std::strlen(s));
        for (uint8_t m : {0xD8, 0xD9, 0xDA, 0xDB, 0xC0, 0xC2, 0xC4, 0xDD, 0xE0, 0xEE, 0xD0})
            t.push_back({0xFF, m});
        t.push_back({0x00});
        return t;
    }();
    return list;
}

Bytes mutate(const Bytes &in, const std::vector<Bytes> &corpus, std::mt19937_64 &rng) {
    Bytes out = in;
    auto pick = [&](size_t n) { return n ? static_cast<size_t>(rng() % n) : 0; };
    const int steps = 1 + static_cast<int>(rng() % 4);
    for (int s = 0; s < steps; ++s) {
        switch (rng() % 9) {
        case 0: // flip a bit
            if (!out.empty()) out[pick(out.size())] ^= uint8_t(1u << (rng() % 8));
            break;
        case 1: // set a byte
            if (!out.empty()) out[pick(out.size())] = uint8_t(rng());
            break;
        case 2: { // insert random bytes
            const size_t n = 1 + pick(8);
            Bytes b(n);
            for (auto &c : b)
                c = uint8_t(rng());
            out.insert(out.begin() + static_cast<long>(pick(out.size() + 1)), b.begin(), b.end());
            break;
        }
        case 3: { // erase a range
            if (out.empty()) break;
            const size_t at = pick(out.size());
            const size_t n = 1 + pick(std::min<size_t>(out.size() - at, 64));
            out.erase(out.begin() + static_cast<long>(at), out.begin() + static_cast<long>(at + n));
            break;
        }
        case 4: // truncate
            out.resize(pick(out.size() + 1));
            break;
        case 5: { // duplicate a chunk
            if (out.empty()) break;
            const size_t at = pick(out.size());
            const size_t n = 1 + pick(std::min<size_t>(out.size() - at, 256));
            const Bytes chunk(out.begin() + static_cast<long>(at),
                              out.begin() + static_cast<long>(at + n));
            out.insert(out.begin() + static_cast<long>(pick(out.size() + 1)), chunk.begin(),
                       chunk.end());
            break;
        }
        case 6: { // insert a token
            const Bytes &t = tokens()[pick(tokens().size())];
            out.insert(out.begin() + static_cast<long>(pick(out.size() + 1)), t.begin(), t.end());
            break;
        }
        case 7: { // splice with another corpus entry
            const Bytes &other = corpus[pick(corpus.size())];
            if (other.empty()) break;
            const size_t keep = pick(out.size() + 1);
            const size_t from = pick(other.size());
            out.resize(keep);
            out.insert(out.end(), other.begin() + static_cast<long>(from), other.end());
            break;
        }
        default: // an interesting value into a byte or a 16-bit word
            if (out.size() >= 2) {
                const uint8_t values[] = {0, 1, 0x7F, 0x80, 0xFF};
                const size_t at = pick(out.size() - 1);
                out[at] = values[pick(5)];
                if (rng() % 2) out[at + 1] = values[pick(5)];
            }
            break;
        }
    }
    if (out.size() > (1u << 20)) out.resize(1u << 20);
    return out;
}

bool option(const char *arg, const char *name, long long &value) {
    const size_t n = std::strlen(name);
    if (std::strncmp(arg, name, n) != 0) return false;
    value = std::atoll(arg + n);
    return true;
}

void addFile(const std::filesystem::path &p, std::vector<Bytes> &corpus) {
    std::ifstream f(p, std::ios::binary);
    corpus.emplace_back(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

} // namespace

int main(int argc, char **argv) {
    long long seed = 1, maxTime = 0, runs = -1, timeout = 10;
    std::vector<Bytes> corpus;
    for (int i = 1; i < argc; ++i) {
        const char *a = argv[i];
        if (option(a, "-seed=", seed) || option(a, "-max_total_time=", maxTime) ||
            option(a, "-runs=", runs) || option(a, "-timeout=", timeout))
            continue;
        if (a[0] == '-') continue; // other libFuzzer options mean nothing here
        const std::filesystem::path p(a);
        if (std::filesystem::is_directory(p)) {
            std::vector<std::filesystem::path> files;
            for (const auto &e : std::filesystem::directory_iterator(p))
                if (e.is_regular_file()) files.push_back(e.path());
            std::sort(files.begin(), files.end());
            for (const auto &f : files)
                addFile(f, corpus);
        } else {
            addFile(p, corpus);
        }
    }
    if (corpus.empty()) corpus.emplace_back();

    for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL})
        std::signal(sig, onFatal);
    std::signal(SIGALRM, onTimeout);

    long long executed = 0;
    auto runOne = [&](const Bytes &input) {
        std::snprintf(crashName, sizeof crashName, "crash-%lld-%lld", seed, executed);
        current = &input;
        alarm(static_cast<unsigned>(timeout));
        LLVMFuzzerTestOneInput(input.data(), input.size());
        alarm(0);
        current = nullptr;
        ++executed;
    };
    for (const Bytes &input : corpus)
        runOne(input);

    std::mt19937_64 rng(static_cast<uint64_t>(seed));
    const auto start = std::chrono::steady_clock::now();
    const bool mutateAtAll = runs >= 0 || maxTime > 0;
    while (mutateAtAll) {
        if (runs >= 0 && executed >= runs) break;
        if (maxTime > 0 &&
            std::chrono::steady_clock::now() - start >= std::chrono::seconds(maxTime))
            break;
        runOne(mutate(corpus[static_cast<size_t>(rng() % corpus.size())], corpus, rng));
    }
    std::printf("fuzz: %lld inputs run (corpus %zu, seed %lld), no crash\n", executed,
                corpus.size(), seed);
    return 0;
}
