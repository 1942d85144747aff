// Where the library's message boxes go (cMatrix.HelpForProgrammer): the platform's
// message box when the process has a desktop a person sees, and in every case the
// texts kept per thread for cMatrix.LastMessages.
#pragma once

#include <vector>

#include <Tervanix/runtime/Types.h>

namespace tvcom {

void InstallMessageSink();
// The texts of the messages of the last call that showed any on this thread; a call
// that shows messages starts the list with ClearMessages.
const std::vector<tervanix::String>& LastMessages();
void ClearMessages();

}  // namespace tvcom
