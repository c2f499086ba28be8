#pragma once

#include <string>
#include <string_view>

namespace larkspan::locks {

// The program's scrambling of the stored password: a byte-wise stream cipher shaped like
// RC4, except that its key schedule computes each swap partner from S[i] and K[i] alone
// instead of carrying it from step to step. Applying it twice with the same key gives the
// input back. A `data` that is empty or holds only spaces gives the empty text; otherwise
// the result has as many bytes as `data`. The key is repeated to fill the 256 key entries;
// an empty key leaves them all zero. Text is handled byte by byte (UTF-8 text scrambles
// and unscrambles to itself, so no character is ever lost).
std::string EncDec(std::string_view data, std::string_view key);

}  // namespace larkspan::locks
