#pragma once
// UTF-16 texts as the bytes Linux wants: UTF-8, with the lone surrogates that
// stand for undecodable bytes of a file name turned back into those bytes.

#include <string>
#include <string_view>

namespace orvane::sdl {

std::string utf8Of(std::u16string_view text);

}  // namespace orvane::sdl
