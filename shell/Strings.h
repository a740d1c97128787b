// The user messages of the programmers by string id, in both languages.
#pragma once

#include "MessageIds.h"
#include "Texts.h"

#include <string_view>

namespace radio {

// The text of a message id; empty for an id that has none.
std::string_view LoadResString(int id, Language lang);

} // namespace radio
