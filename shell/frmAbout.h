// The About box: who made the control and which version it is, as a form of its own with
// four pictures, a text box and three labels.
#pragma once

#include "platform/FormDesign.h"

namespace cp {

inline constexpr const char* kAboutCaption = "Info about ColumnPick";
inline constexpr const char* kAboutVersion = "2.11  19-feb-2002";

// The box's design.
const FormDesign& AboutBoxDesign();

// Shows the box modally; returns when the user closes it.
void ShowAboutBox();

}  // namespace cp
