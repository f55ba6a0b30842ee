#pragma once

#include <string>
#include <vector>

#include "base/message_key.h"

namespace korvan {

// What a page has to tell the user after a gather or a refresh: a message by key, and text that
// follows it (the character a field could not keep, for instance). The station shows them.
struct PageMessage {
  MessageKey key;
  std::string detail;
};
using PageMessages = std::vector<PageMessage>;

}  // namespace korvan
