#include "market/code_market.h"

#include <initializer_list>

namespace tallivan {
namespace {

bool beginsWithAny(std::string_view code, std::initializer_list<std::string_view> prefixes) {
    for (std::string_view p : prefixes) {
        if (code.substr(0, p.size()) == p)
            return true;
    }
    return false;
}

bool isSixDigits(std::string_view code) {
    if (code.size() != 6)
        return false;
    for (char c : code) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

}  // namespace

Market marketOfCode(std::string_view code) {
    if (!isSixDigits(code))
        return Market::Shenzhen;
    // Longer prefixes first where a shorter one of another market would take them (900 before
    // 9x, 204 and 20 before 2x).
    if (beginsWithAny(code, {"6", "900", "5", "10", "11", "204"}))
        return Market::Shanghai;
    if (beginsWithAny(code, {"92", "8", "4"}))
        return Market::Beijing;
    return Market::Shenzhen;
}

std::array<Market, 3> marketsToSearch(std::string_view code, bool asIndex) {
    Market first = marketOfCode(code);
    if (asIndex && isSixDigits(code)) {
        if (code.substr(0, 3) == "000")
            first = Market::Shanghai;
        else if (code.substr(0, 3) == "399")
            first = Market::Shenzhen;
    }
    switch (first) {
        case Market::Shanghai:
            return {Market::Shanghai, Market::Shenzhen, Market::Beijing};
        case Market::Beijing:
            return {Market::Beijing, Market::Shanghai, Market::Shenzhen};
        case Market::Shenzhen:
            break;
    }
    return {Market::Shenzhen, Market::Shanghai, Market::Beijing};
}

bool dayPricesInMilli(std::string_view code) {
    return isSixDigits(code) &&
           beginsWithAny(code, {"5", "15", "16", "18", "10", "11", "12", "13", "204"});
}

const char* marketPrefix(Market market) {
    switch (market) {
        case Market::Shanghai:
            return "sh";
        case Market::Beijing:
            return "bj";
        case Market::Shenzhen:
            break;
    }
    return "sz";
}

}  // namespace tallivan
