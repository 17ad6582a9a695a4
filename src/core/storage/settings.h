// The settings record and its file: the 20-row stock category and fee table, the account
// search options and the market-data source choice.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "storage/file_io.h"

namespace tallivan {

struct StockCategory {
    char name[13] = {};          // GBK, NUL-terminated, at most 12 bytes
    std::int8_t codeLength = 0;  // compared as a signed byte
    char codePrefix[5] = {};     // NUL-terminated, at most 4 characters
    double commissionRate = 0;   // percent of the amount
    double minCommission = 0;    // yuan per trade
    double stampTaxRate = 0;     // percent of the amount
    double transferFee = 0;      // yuan per whole 1000 shares (or percent, kTransferOfAmount)
    double minTransferFee = 0;   // yuan per trade
    double orderFee = 0;         // flat yuan per trade
    // How today's market charges and prices this row (kStampOnSalesOnly, kTransferOfAmount,
    // kPriceInMilli); bits the program does not know are kept as read. All clear: the rules
    // every older file was written under.
    std::uint8_t feeRules = 0;
};

// Stamp tax is paid on sales only.
constexpr std::uint8_t kStampOnSalesOnly = 0x01;
// The transfer fee is `transferFee` percent of the amount instead of yuan per 1000 shares.
constexpr std::uint8_t kTransferOfAmount = 0x02;
// Prices move in steps of 0.001 yuan (funds, ETFs, bonds, repos) and are kept to the
// milli-yuan instead of the cent.
constexpr std::uint8_t kPriceInMilli = 0x04;

constexpr int kCategoryCount = 20;
constexpr int kPriceSourceDirCount = 6;
constexpr std::size_t kPriceSourceDirSize = 31;
constexpr std::size_t kAccountSearchDirSize = 51;

using CategoryTable = std::array<StockCategory, kCategoryCount>;

struct Settings {
    CategoryTable categories{};
    // The reserved bytes after the rows' fee rules, kept as read.
    std::array<std::uint8_t, 12> reservedBlock{};
    std::uint8_t wantPassword = 0;
    char accountSearchDir[kAccountSearchDirSize] = {};
    std::uint8_t priceSource = 0;
    char priceSourceDirs[kPriceSourceDirCount][kPriceSourceDirSize] = {};
};

constexpr std::size_t kSettingsFileSize = 1611;
inline const char* const kSettingsFileName = "zrstk.cfg";

using SettingsImage = std::array<unsigned char, kSettingsFileSize>;

// The record as it lies in the file: the category table column by column, then the options.
SettingsImage encodeSettings(const Settings& settings);
Settings decodeSettings(const SettingsImage& image);

// A category row; the name is given in UTF-8 and kept in GBK.
StockCategory makeCategory(const char* nameUtf8, std::int8_t codeLength, const char* prefix,
                           double commissionRate, double minCommission, double stampTaxRate,
                           double transferFee, double minTransferFee, double orderFee,
                           std::uint8_t feeRules = 0);

// The record every start begins with, before the file is read.
Settings defaultSettings();

enum class SettingsLoad {
    Loaded,
    Missing,     // no file: the settings stay as they were
    Unreadable,  // a file that cannot be read (a FIFO, a directory, no permission, a read
                 // error): the settings stay as they were, and the file must not be replaced
};

// Reads the file over `settings`: a shorter file replaces only its own length, bytes beyond
// the record are ignored.
SettingsLoad loadSettings(FileSystem& fs, Settings& settings);

// Writes the record. Bytes after the record in a longer file are kept. The file is replaced
// as a whole (temporary file, sync, rename), so a crash leaves the old or the new settings.
// Returns 0 or -1.
int saveSettings(FileSystem& fs, const Settings& settings);

// The 20 category names in row order.
std::vector<std::string> categoryNames(const Settings& settings);

// The first category row whose code length equals the code's byte length and whose prefix
// begins the code; -1 when none does.
int categoryOfCode(const Settings& settings, std::string_view code);

}  // namespace tallivan
