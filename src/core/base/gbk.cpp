#include "base/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <unordered_map>

namespace tallivan {

namespace {

// Windows code page 936 is glibc's CP936 (GBK with the euro sign at 0x80).
constexpr const char* kGbkName = "CP936";
constexpr const char* kReplacementUtf8 = "\xEF\xBF\xBD";

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; each input sequence that cannot be converted is skipped (`skip` bytes for
    // an invalid one, a whole UTF-8 character for an unmappable one) and `replacement` is
    // written instead.
    std::string run(std::string_view in, const char* replacement, bool inputIsUtf8) {
        std::string out;
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            return std::string(in);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.reserve(in.size() * 2 + 4);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buf[8192];
        while (srcLeft > 0) {
            char* dst = buf;
            std::size_t dstLeft = sizeof buf;
            const std::size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf, static_cast<std::size_t>(dst - buf));
            if (rc != static_cast<std::size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: replace one character and go on.
            out += replacement;
            std::size_t skip = 1;
            if (inputIsUtf8) {
                skip = utf8SequenceLength(static_cast<unsigned char>(*src));
                if (skip > srcLeft)
                    skip = srcLeft;
                for (std::size_t k = 1; k < skip; ++k) {
                    if ((static_cast<unsigned char>(src[k]) & 0xC0) != 0x80) {
                        skip = k;
                        break;
                    }
                }
            } else if (errno == EILSEQ && srcLeft >= 2 &&
                       static_cast<unsigned char>(src[0]) >= 0x81 &&
                       static_cast<unsigned char>(src[0]) <= 0xFE &&
                       static_cast<unsigned char>(src[1]) >= 0x40 &&
                       static_cast<unsigned char>(src[1]) != 0x7F &&
                       static_cast<unsigned char>(src[1]) != 0xFF) {
                skip = 2;  // a well-formed pair that maps to nothing
            }
            src += skip;
            srcLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

  private:
    static std::size_t utf8SequenceLength(unsigned char lead) {
        if (lead >= 0xF0 && lead <= 0xF4)
            return 4;
        if (lead >= 0xE0)
            return lead <= 0xEF ? 3 : 1;
        if (lead >= 0xC2)
            return 2;
        return 1;
    }

    iconv_t cd_;
};

}  // namespace

std::string gbk(std::string_view utf8) {
    return utf8ToGbk(utf8);
}

std::string gbkToUtf8(std::string_view gbk) {
    // ASCII is the same in both encodings: only the runs of double-byte characters go through
    // the converter, and the few distinct runs a ledger has (names, types, memos) are
    // remembered, so that printing a large account does not convert the same name per row.
    thread_local Converter converter("UTF-8", kGbkName);
    thread_local std::unordered_map<std::string, std::string> converted;
    constexpr std::size_t kMostRemembered = 8192;
    std::string out;
    out.reserve(gbk.size() + gbk.size() / 2);
    std::size_t i = 0;
    while (i < gbk.size()) {
        std::size_t start = i;
        while (i < gbk.size() && static_cast<unsigned char>(gbk[i]) < 0x80)
            ++i;
        out.append(gbk.substr(start, i - start));
        start = i;
        // A run keeps each lead byte with the byte after it, as the converter pairs them.
        while (i < gbk.size() && static_cast<unsigned char>(gbk[i]) >= 0x80)
            i += gbkCharLength(gbk, i);
        if (i == start)
            continue;
        const std::string run(gbk.substr(start, i - start));
        if (const auto known = converted.find(run); known != converted.end()) {
            out += known->second;
            continue;
        }
        std::string utf8 = converter.run(run, kReplacementUtf8, false);
        out += utf8;
        if (converted.size() < kMostRemembered)
            converted.emplace(run, std::move(utf8));
    }
    return out;
}

std::string utf8ToGbk(std::string_view utf8) {
    bool ascii = true;
    for (char c : utf8)
        ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii)
        return std::string(utf8);
    thread_local Converter converter(kGbkName, "UTF-8");
    return converter.run(utf8, "?", true);
}

bool isUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;  // the range of the byte after the lead
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto b = static_cast<unsigned char>(text[i + k]);
            if (k == 1 ? (b < low || b > high) : (b < 0x80 || b > 0xBF))
                return false;
        }
        i += length;
    }
    return true;
}

std::string gb18030ToGbk(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const bool fourBytes = lead >= 0x81 && lead <= 0xFE && i + 3 < text.size() &&
                               text[i + 1] >= '0' && text[i + 1] <= '9';
        if (fourBytes) {
            out += '?';
            i += 4;
            continue;
        }
        const std::size_t length = gbkCharLength(text, i);
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

std::size_t gbkCharLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0x81 && lead <= 0xFE && i + 1 < text.size())
        return 2;
    return 1;
}

namespace {

// How many bytes of `text` fit in `maxBytes` without cutting a character.
std::size_t fittingLength(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text.size();
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t len = gbkCharLength(text, i);
        if (i + len > maxBytes)
            break;
        i += len;
    }
    return i;
}

}  // namespace

std::string cutGbk(std::string_view text, std::size_t maxBytes) {
    return std::string(text.substr(0, fittingLength(text, maxBytes)));
}

std::string cutBytes(std::string_view text, std::size_t maxBytes) {
    return std::string(text.substr(0, maxBytes < text.size() ? maxBytes : text.size()));
}

std::string fieldText(const char* field, std::size_t size) {
    const void* nul = std::memchr(field, 0, size);
    const std::size_t len =
        nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : size;
    return std::string(field, len);
}

void copyToField(char* field, std::size_t size, std::string_view text) {
    if (size == 0)
        return;
    const std::size_t length = fittingLength(text, size - 1);
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), length);
}

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size();) {
        const std::size_t len = gbkCharLength(out, i);
        if (len == 1 && out[i] >= 'A' && out[i] <= 'Z')
            out[i] = static_cast<char>(out[i] - 'A' + 'a');
        i += len;
    }
    return out;
}

}  // namespace tallivan
