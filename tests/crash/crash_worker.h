// What the crash worker does and what it leaves behind, shared by the worker and the test that
// kills it: the k-th cycle buys 100 shares of code 600000 + k % 7 at 10 + k / 100 yuan, writes
// a memo on that holding, sells every 3rd holding whole at 12 + k / 100 yuan, compacts the
// account every 5th cycle, exports the lists as text every 4th and saves the settings with
// category 0 named after k. Each step done is logged as "STEP K" in the progress file.
#pragma once

#include <cstdint>
#include <string>

namespace tallivan::crash {

inline const char* const kAccount = "zrdata/zr_00001.acc";
inline const char* const kProgressFile = "progress.log";

inline std::string codeOf(int k) {
    return std::to_string(600000 + k % 7);
}
inline std::int32_t buyPriceOf(int k) {
    return 10000 + 10 * k;  // milli-yuan
}
inline std::int32_t salePriceOf(int k) {
    return 12000 + 10 * k;
}
inline bool sellsIn(int k) {
    return k % 3 == 2;
}
inline bool compactsIn(int k) {
    return k % 5 == 4;
}
inline bool exportsIn(int k) {
    return k % 4 == 3;
}
inline std::string memoOf(int k) {
    return "m" + std::to_string(k);
}
inline std::string categoryNameOf(int k) {
    return "c" + std::to_string(k);
}

}  // namespace tallivan::crash
