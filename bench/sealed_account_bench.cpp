// What sealing costs: reading the large account's 100 000 slots plain and sealed (the key derived
// once, before timing, as when the account opens), and deriving the key with the limits new
// seals are made with.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "large_account.h"
#include "storage/account_file.h"

namespace tallivan {
namespace {

constexpr const char* kAccount = "zrdata/zr_00001.acc";
constexpr const char* kPassphrase = "a passphrase for the benchmark";

// A copy of the large data directory whose account is sealed (made once).
const std::string& sealedDirectory() {
    static const std::string directory = [] {
        const std::string dir = bench::largeAccountDirectory() + "-sealed";
        std::filesystem::remove_all(dir);
        std::filesystem::copy(bench::largeAccountDirectory(), dir,
                              std::filesystem::copy_options::recursive);
        PosixFileSystem fs(dir);
        const AccountContents plain = readAccount(fs, kAccount, Password{}, true);
        const DerivedKey key = newSealedKey(kPassphrase);
        if (rewriteAccountFile(fs, kAccount, plain.header, Password{}, SlotCodec(key.key),
                               plain.slots) != 0)
            std::abort();
        return dir;
    }();
    return directory;
}

void ReadPlainLargeAccount(benchmark::State& state) {
    PosixFileSystem fs(bench::largeAccountDirectory());
    for (auto _ : state) {
        const AccountContents contents = readAccount(fs, kAccount, Password{}, true);
        if (contents.slots.size() < 100000)
            state.SkipWithError("the account did not open");
    }
}
BENCHMARK(ReadPlainLargeAccount)->Unit(benchmark::kMillisecond);

void ReadSealedLargeAccount(benchmark::State& state) {
    PosixFileSystem fs(sealedDirectory());
    const auto preamble = readSealPreamble(fs, kAccount);
    const DerivedKey key = deriveSealedKey(preamble->data(), kPassphrase);
    for (auto _ : state) {
        const AccountContents contents = readAccount(fs, kAccount, Password{}, false, key.key);
        if (contents.slots.size() < 100000)
            state.SkipWithError("the account did not open");
    }
}
BENCHMARK(ReadSealedLargeAccount)->Unit(benchmark::kMillisecond);

void DeriveSealKey(benchmark::State& state) {
    PosixFileSystem fs(sealedDirectory());
    const auto preamble = readSealPreamble(fs, kAccount);
    for (auto _ : state)
        benchmark::DoNotOptimize(deriveSealedKey(preamble->data(), kPassphrase));
}
BENCHMARK(DeriveSealKey)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tallivan
