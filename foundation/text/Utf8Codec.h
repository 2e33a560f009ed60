#pragma once

#include <string>
#include <string_view>

// Lossless conversion between the bytes of Linux file names and file contents and the library's
// UTF-16 texts.
//
// Decoding is strict UTF-8: no overlong forms, no encoded surrogates (ED A0..ED BF), nothing above
// U+10FFFF, no truncated sequences. A byte that is not part of a valid sequence becomes the lone
// surrogate U+DC00 + byte (0x80 gives U+DC80, 0xFF gives U+DCFF) and decoding goes on with the next
// byte. Encoding turns U+DC80..U+DCFF back into that byte, so encodeText(decodeBytes(b)) == b for
// every byte string b.
//
// Encoding writes U+FFFD for any other lone surrogate (a high surrogate without a low one after it,
// or a low surrogate outside U+DC80..U+DCFF). Decoding never produces one, so such a text did not
// come from bytes and has no byte form to return to.
namespace orv::text {

std::u16string decodeBytes(std::string_view bytes);
std::string encodeText(std::u16string_view text);

}  // namespace orv::text
