// The About box: who made the control and which version it is.
#pragma once

namespace cp {

inline constexpr const char* kAboutCaption = "Info about ColumnPick";
inline constexpr const char* kAboutVersion = "2.11  19-feb-2002";

// Shows the box modally; returns when the user closes it.
void ShowAboutBox();

}  // namespace cp
