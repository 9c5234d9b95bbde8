// A record of the drawing objects that the control creates through the platform's drawing
// operations, for a test that asks the system itself which of them still live (Wine does not
// implement GetGuiResources). Objects that the host creates for itself are not recorded.
#pragma once

#include <vector>

#include "platform/basApi.h"

namespace cp::win32 {

// Once recording has started, every pen, brush and memory device context handle that the
// drawing operations make is kept until the test takes it.
void StartRecordingGdiObjectsMade();
std::vector<HGDIOBJ> TakeGdiObjectsMade();

// Called by the drawing operations.
void CountMade(HGDIOBJ object);

}  // namespace cp::win32
