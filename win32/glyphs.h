// The small pictures of the window, drawn with GDI: the buttons' glyphs,
// the folder list's folders and the drive list's drives.
#pragma once

#include <windows.h>

#include "app/folder_browser.h"

namespace tht::win32 {

enum class Glyph { Tick, Exit, Magnifier };

constexpr int kGlyphSize = 18;
constexpr int kIconSize = 16;

// The 18 x 18 glyph with its top-left corner at x, y; its olive pixels (the
// colour of its bottom-left pixel) are left out, so the button shows through.
void drawGlyph(HDC dc, int x, int y, Glyph glyph);

void drawFolderIcon(HDC dc, int x, int y, app::FolderIcon icon);
void drawDriveIcon(HDC dc, int x, int y, DriveKind kind);

}  // namespace tht::win32
