// Where the library's message boxes go (cMatrix.HelpForProgrammer): the platform's
// message box when the process has a desktop a person sees, and in every case the
// text kept per thread for cMatrix.LastMessage.
#pragma once

#include <Tervanix/runtime/Types.h>

namespace tvcom {

void InstallMessageSink();
const tervanix::String& LastMessage();

}  // namespace tvcom
