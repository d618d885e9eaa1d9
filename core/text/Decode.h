#pragma once

#include <string>

namespace meltemix {

// Downloaded document bytes -> UTF-8 text, read the way XML readers do: a byte-order mark
// first (UTF-8, UTF-16LE, UTF-16BE), then the encoding named in the XML declaration
// ("utf-8", "windows-1254", "iso-8859-9", "iso-8859-1", "us-ascii", any case), UTF-8 when
// none is named or the name is unknown. When the bytes are not valid in that encoding the
// whole document is read as Windows-1254 instead, the code page of the systems the
// program is made for. Invalid UTF-16 (a lone surrogate, an odd last byte) becomes
// U+FFFD. The result is passed through PrepareXmlText.
std::string DecodeDocument(const std::string& bytes);

// Makes a decoded text fit for a DOM that is handed text rather than bytes: removes a
// byte-order mark and leading white space, and drops the encoding named in the XML
// declaration, which no longer describes the text and would make a reader decode it
// a second time.
std::string PrepareXmlText(const std::string& text);

// Single-byte code pages to UTF-8. Bytes that Windows-1254 leaves undefined keep their
// value as a code point, as the platform's own conversion does.
std::string Windows1254ToUtf8(const std::string& bytes);
std::string Latin1ToUtf8(const std::string& bytes);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const std::string& text);

} // namespace meltemix
