// The sizes of the host's windows in twips, as its objects read and put them (Width, Height).
// A put keeps the other side, and a size below zero puts 0.
#pragma once

#include "platform/basApi.h"

namespace cp::win32 {

float WindowWidth(HWND hWnd);
float WindowHeight(HWND hWnd);
void SetWindowWidth(HWND hWnd, float twips);
void SetWindowHeight(HWND hWnd, float twips);

}  // namespace cp::win32
