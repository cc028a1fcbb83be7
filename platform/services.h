#pragma once

#include "platform/finding.h"
#include "platform/line_reader.h"
#include "platform/message_sink.h"
#include "platform/save_name_prompt.h"
#include "platform/wait_cursor.h"

namespace orbline {

// The platform services the commands call. The caller owns them; they outlive every command. A
// null save-name prompt means compiling cannot ask for a name.
struct Services {
  LineReader& files;
  FindingSink& findings;
  MessageSink& messages;
  WaitCursor& waitCursor;
  SaveNamePrompt* savePrompt = nullptr;
};

}  // namespace orbline
