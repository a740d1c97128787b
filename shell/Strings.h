// The user messages of the programmers by string id: the texts of the
// programs' own (English) string table. A language library translates them
// (context "Strings") when the windows load them.
#pragma once

#include "MessageIds.h"

namespace radio {

// The English text of a message id; "" for an id that has none.
const char* LoadResString(int id);

// Every message id of the table, for checks that each one resolves.
const int* MessageIdsBegin();
const int* MessageIdsEnd();

} // namespace radio
