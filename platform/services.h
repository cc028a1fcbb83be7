#pragma once

#include "platform/line_reader.h"
#include "platform/message_sink.h"
#include "platform/profile_store.h"
#include "platform/save_name_prompt.h"
#include "platform/wait_cursor.h"

namespace orbline {

// The platform services the document logic calls. The caller owns them; they outlive the
// document. A null save-name prompt means compiling cannot ask for a name.
struct Services {
  LineReader& files;
  ProfileStore& profile;
  MessageSink& messages;
  WaitCursor& waitCursor;
  SaveNamePrompt* savePrompt = nullptr;
};

}  // namespace orbline
