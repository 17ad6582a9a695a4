#include "storage/settings.h"

#include <algorithm>
#include <cstring>

#include "base/gbk.h"
#include "base/little_endian.h"

namespace tallivan {

namespace {

// Offsets of the columns and fields in the file.
constexpr std::size_t kNames = 0;
constexpr std::size_t kCodeLengths = 260;
constexpr std::size_t kCodePrefixes = 280;
constexpr std::size_t kCommissionRates = 380;
constexpr std::size_t kMinCommissions = 540;
constexpr std::size_t kStampTaxRates = 700;
constexpr std::size_t kTransferFees = 860;
constexpr std::size_t kMinTransferFees = 1020;
constexpr std::size_t kOrderFees = 1180;
constexpr std::size_t kFeeRules = 1340;
constexpr std::size_t kReserved = 1360;
constexpr std::size_t kWantPassword = 1372;
constexpr std::size_t kAccountSearchDir = 1373;
constexpr std::size_t kPriceSource = 1424;
constexpr std::size_t kPriceSourceDirs = 1425;
static_assert(kFeeRules + kCategoryCount == kReserved);
static_assert(kReserved + std::tuple_size_v<decltype(Settings::reservedBlock)> == kWantPassword);
static_assert(kPriceSourceDirs + kPriceSourceDirCount * kPriceSourceDirSize == kSettingsFileSize);

// The doubles of the table, in file order, with their column offsets.
struct DoubleColumn {
    std::size_t offset;
    double StockCategory::*member;
};
constexpr DoubleColumn kDoubleColumns[] = {
    {kCommissionRates, &StockCategory::commissionRate},
    {kMinCommissions, &StockCategory::minCommission},
    {kStampTaxRates, &StockCategory::stampTaxRate},
    {kTransferFees, &StockCategory::transferFee},
    {kMinTransferFees, &StockCategory::minTransferFee},
    {kOrderFees, &StockCategory::orderFee},
};

}  // namespace

SettingsImage encodeSettings(const Settings& s) {
    SettingsImage image{};
    unsigned char* out = image.data();
    for (std::size_t i = 0; i < s.categories.size(); ++i) {
        const StockCategory& c = s.categories[i];
        std::memcpy(out + kNames + 13 * i, c.name, 13);
        storeLittleEndian(out + kCodeLengths + i, c.codeLength);
        std::memcpy(out + kCodePrefixes + 5 * i, c.codePrefix, 5);
        out[kFeeRules + i] = c.feeRules;
        for (const DoubleColumn& col : kDoubleColumns) {
            storeLittleEndian(out + col.offset + 8 * i, c.*col.member);
        }
    }
    std::memcpy(out + kReserved, s.reservedBlock.data(), s.reservedBlock.size());
    out[kWantPassword] = s.wantPassword;
    std::memcpy(out + kAccountSearchDir, s.accountSearchDir, kAccountSearchDirSize);
    out[kPriceSource] = s.priceSource;
    std::memcpy(out + kPriceSourceDirs, s.priceSourceDirs, sizeof s.priceSourceDirs);
    return image;
}

Settings decodeSettings(const SettingsImage& image) {
    Settings s;
    const unsigned char* in = image.data();
    for (std::size_t i = 0; i < s.categories.size(); ++i) {
        StockCategory& c = s.categories[i];
        std::memcpy(c.name, in + kNames + 13 * i, 13);
        c.codeLength = loadLittleEndian<std::int8_t>(in + kCodeLengths + i);
        std::memcpy(c.codePrefix, in + kCodePrefixes + 5 * i, 5);
        c.feeRules = in[kFeeRules + i];
        for (const DoubleColumn& col : kDoubleColumns) {
            c.*col.member = loadLittleEndian<double>(in + col.offset + 8 * i);
        }
    }
    std::memcpy(s.reservedBlock.data(), in + kReserved, s.reservedBlock.size());
    s.wantPassword = in[kWantPassword];
    std::memcpy(s.accountSearchDir, in + kAccountSearchDir, kAccountSearchDirSize);
    s.priceSource = in[kPriceSource];
    std::memcpy(s.priceSourceDirs, in + kPriceSourceDirs, sizeof s.priceSourceDirs);
    return s;
}

StockCategory makeCategory(const char* nameUtf8, std::int8_t codeLength, const char* prefix,
                           double commissionRate, double minCommission, double stampTaxRate,
                           double transferFee, double minTransferFee, double orderFee,
                           std::uint8_t feeRules) {
    StockCategory c;
    copyToField(c.name, sizeof c.name, gbk(nameUtf8));
    c.codeLength = codeLength;
    copyToField(c.codePrefix, sizeof c.codePrefix, prefix);
    c.commissionRate = commissionRate;
    c.minCommission = minCommission;
    c.stampTaxRate = stampTaxRate;
    c.transferFee = transferFee;
    c.minTransferFee = minTransferFee;
    c.orderFee = orderFee;
    c.feeRules = feeRules;
    return c;
}

Settings defaultSettings() {
    Settings s;
    copyToField(s.accountSearchDir, sizeof s.accountSearchDir, "zrdata");
    s.categories.fill(makeCategory("未知", 0, "", 0, 0, 0, 0, 0, 5.0));
    s.categories[0] = makeCategory("上证Ａ股", 6, "6", 0.35, 10.0, 0.4, 1.0, 1.0, 5.0);
    s.categories[1] = makeCategory("深证Ａ股", 4, "0", 0.35, 5.0, 0.4, 0, 0, 5.0);
    return s;
}

std::vector<std::string> categoryNames(const Settings& settings) {
    std::vector<std::string> names;
    for (const StockCategory& c : settings.categories)
        names.push_back(fieldText(c.name, sizeof c.name));
    return names;
}

SettingsLoad loadSettings(FileSystem& fs, Settings& settings) {
    const int h = fs.open(kSettingsFileName, OpenMode::Read);
    if (h < 0)
        return fs.exists(kSettingsFileName) ? SettingsLoad::Unreadable : SettingsLoad::Missing;
    SettingsImage image = encodeSettings(settings);
    const std::int64_t n = fs.read(h, image.data(), image.size());
    fs.close(h);
    if (n < 0)
        return SettingsLoad::Unreadable;
    // A short file replaces only what it holds.
    if (n > 0)
        settings = decodeSettings(image);
    return SettingsLoad::Loaded;
}

int saveSettings(FileSystem& fs, const Settings& settings) {
    const SettingsImage image = encodeSettings(settings);
    std::string content(reinterpret_cast<const char*>(image.data()), image.size());
    if (const auto old = readWholeFile(fs, kSettingsFileName); old && old->size() > image.size()) {
        content.append(*old, image.size(), std::string::npos);
    }
    return replaceFileDurably(fs, kSettingsFileName, content);
}

int categoryOfCode(const Settings& settings, std::string_view code) {
    const std::size_t n = code.size();
    for (int i = 0; i < kCategoryCount; ++i) {
        const StockCategory& c = settings.categories[static_cast<std::size_t>(i)];
        if (c.codeLength < 0 || static_cast<std::size_t>(c.codeLength) != n)
            continue;
        const std::size_t m = strnlen(c.codePrefix, sizeof c.codePrefix);
        if (m <= n && std::memcmp(code.data(), c.codePrefix, m) == 0)
            return i;
    }
    return -1;
}

}  // namespace tallivan
