// GBK (code page 936) text: the encoding of every file and of the core's strings.
// UTF-8 exists only at the faces; this is the one place that converts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallivan {

// A text written in the source (UTF-8) as the core holds it: GBK. Source literals stay UTF-8
// so that every compiler reads them alike; the core converts them where it uses them.
std::string gbk(std::string_view utf8);

// GBK bytes to UTF-8. An invalid or cut-off byte sequence becomes U+FFFD; never fails.
std::string gbkToUtf8(std::string_view gbk);

// UTF-8 to GBK. A character GBK cannot hold, or an invalid UTF-8 sequence, becomes "?".
std::string utf8ToGbk(std::string_view utf8);

// True when every byte is below 0x80 (the same text in GBK and UTF-8).
bool isAscii(std::string_view text);

// True when `text` is well-formed UTF-8 (no overlong forms, surrogates or cut sequences).
bool isUtf8(std::string_view text);

// GB18030 text as GBK: its one- and two-byte characters are GBK's own; each four-byte
// character, which GBK cannot hold, becomes "?".
std::string gb18030ToGbk(std::string_view text);

// Byte length of the GBK character starting at text[i] (1 or 2; a lead byte at the very end
// counts as 1).
std::size_t gbkCharLength(std::string_view text, std::size_t i);

// At most `maxBytes` bytes of `text`, cut at a character boundary (never half a character).
std::string cutGbk(std::string_view text, std::size_t maxBytes);

// At most `maxBytes` bytes of `text`, cut blindly at the byte count.
std::string cutBytes(std::string_view text, std::size_t maxBytes);

// The text of a fixed NUL-terminated field: the bytes up to the first NUL, or all of them.
std::string fieldText(const char* field, std::size_t size);

// Copies `text` into a fixed field of `size` bytes: at most size - 1 bytes cut on a character
// boundary, then zero bytes up to the end.
void copyToField(char* field, std::size_t size, std::string_view text);

// The ASCII letters of `text` in lower case; GBK double-byte characters are left alone.
std::string lowerAscii(std::string_view text);

}  // namespace tallivan
