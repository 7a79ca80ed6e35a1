#pragma once
// Names between Windows' UTF-16 and the checker's UTF-8 bytes. A Windows name need not be valid
// UTF-16 (a lone surrogate is a legal file name), so both ways follow WTF-8: a lone surrogate
// becomes its own three bytes and comes back as itself, and every name given opens its file.
// Plain C++, so that the conversions are tested on every system.

#include <string>
#include <string_view>

namespace dlg::dlgcheck {

std::string Utf8FromUtf16(std::u16string_view text);

// Bytes that are no UTF-8 (nor a surrogate's three bytes) become U+FFFD, one a byte.
std::u16string Utf16FromUtf8(std::string_view bytes);

}  // namespace dlg::dlgcheck
