#include "win32/glyphs.h"

namespace tht::win32 {
namespace {

struct Ink {
  char code;
  COLORREF colour;
};

// The pictures as rows of letters, one per pixel; '.' is olive.
constexpr COLORREF kOlive = RGB(0x80, 0x80, 0x00);
const Ink kInks[] = {
    {'.', kOlive},
    {'G', RGB(0x00, 0xB0, 0x00)},  // green
    {'D', RGB(0x00, 0x60, 0x00)},  // dark green
    {'W', RGB(0xFF, 0xFF, 0xFF)},  // white
    {'K', RGB(0x60, 0x40, 0x10)},  // brown outline
    {'B', RGB(0x00, 0x00, 0x00)},  // black
    {'Y', RGB(0xE0, 0xB0, 0x50)},  // the door, the folders
    {'L', RGB(0xFF, 0xE0, 0x80)},  // a folder's open flap
    {'H', RGB(0xFF, 0xF8, 0xC0)},  // highlighted
    {'S', RGB(0x40, 0x80, 0xFF)},  // highlight blue
    {'C', RGB(0xC0, 0xE0, 0xFF)},  // a lens's glass
};

const char* const kTick[kGlyphSize] = {
    "..................", "..................", "..............DD..", ".............DGD..",
    "............DGGD..", "...........DGGD...", "..........DGGD....", "..DD.....DGGD.....",
    ".DGGD...DGGD......", ".DGGGD.DGGD.......", "..DGGGDGGD........", "...DGGGGD.........",
    "....DGGD..........", ".....DD...........", "..................", "..................",
    "..................", "..................",
};

const char* const kExit[kGlyphSize] = {
    "..................", "..GGGGGGGGGGGGG...", "..GWWGWGWGWWWGG...", "..GGGGGGGGGGGGG...",
    "..................", "...KKKKKKKKKK.....", "...KBBBBBBBBK.....", "...KYYBBBBBBK.....",
    "...KYYYYBBBBK.....", "...KYYYYBBBBK.....", "...KYYYYBBBBK.....", "...KYYDYBBBBK.....",
    "...KYYYYBBBBK.....", "...KYYYYBBBBK.....", "...KYYYYBBBBK.....", "...KYYYBBBBBK.....",
    "...KYBBBBBBBK.....", "...KKKKKKKKKK.....",
};

const char* const kMagnifier[kGlyphSize] = {
    "..................", "....KKKKK.........", "...KCCCCCK........", "..KCWWCCCCK.......",
    "..KCWCCCCCK.......", "..KCCCCCCCK.......", "..KCCCCCCCK.......", "..KCCCCCCCK.......",
    "...KCCCCCK........", "....KKKKKBB.......", ".........BBB......", "..........BBB.....",
    "...........BBB....", "............BBB...", ".............BBB..", "..............BB..",
    "..................", "..................",
};

const char* const kClosedFolder[kIconSize] = {
    "................", "................", ".KKKK...........", "KYYYYK..........",
    "KYYYYKKKKKKKKK..", "KYYYYYYYYYYYYK..", "KLLLLLLLLLLLLK..", "KYYYYYYYYYYYYK..",
    "KYYYYYYYYYYYYK..", "KYYYYYYYYYYYYK..", "KYYYYYYYYYYYYK..", "KYYYYYYYYYYYYK..",
    "KKKKKKKKKKKKKK..", "................", "................", "................",
};

const char* const kOpenFolder[kIconSize] = {
    "................", "................", ".KKKK...........", "KYYYYK..........",
    "KYYYYKKKKKKKK...", "KYYYYYYYYYYYK...", "KYYKKKKKKKKKKKK.", "KYKLLLLLLLLLLLK.",
    "KYKLLLLLLLLLLK..", "KKLLLLLLLLLLLK..", "KKLLLLLLLLLLK...", "KLLLLLLLLLLLK...",
    "KKKKKKKKKKKKK...", "................", "................", "................",
};

const char* const kCurrentFolder[kIconSize] = {
    "................", "................", ".KKKK...........", "KHHHHK..........",
    "KHHHHKKKKKKKK...", "KHHHHHHHHHHHK...", "KHHKKKKKKKKKKKK.", "KHKSSSSSSSSSSSK.",
    "KHKSSSSSSSSSSK..", "KKSSSSSSSSSSSK..", "KKSSSSSSSSSSK...", "KSSSSSSSSSSSK...",
    "KKKKKKKKKKKKK...", "................", "................", "................",
};

void drawPicture(HDC dc, int x, int y, const char* const* rows, int size) {
  const char transparent = rows[size - 1][0];
  for (int row = 0; row < size; ++row)
    for (int column = 0; column < size; ++column) {
      const char code = rows[row][column];
      if (code == transparent) continue;
      for (const Ink& ink : kInks)
        if (ink.code == code) SetPixelV(dc, x + column, y + row, ink.colour);
    }
}

void fill(HDC dc, int left, int top, int width, int height, COLORREF colour) {
  const RECT box{left, top, left + width, top + height};
  const HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &box, brush);
  DeleteObject(brush);
}

}  // namespace

void drawGlyph(HDC dc, int x, int y, Glyph glyph) {
  switch (glyph) {
    case Glyph::Tick: return drawPicture(dc, x, y, kTick, kGlyphSize);
    case Glyph::Exit: return drawPicture(dc, x, y, kExit, kGlyphSize);
    case Glyph::Magnifier: return drawPicture(dc, x, y, kMagnifier, kGlyphSize);
  }
}

void drawFolderIcon(HDC dc, int x, int y, app::FolderIcon icon) {
  switch (icon) {
    case app::FolderIcon::Open:
      return drawPicture(dc, x, y, kOpenFolder, kIconSize);
    case app::FolderIcon::Current:
      return drawPicture(dc, x, y, kCurrentFolder, kIconSize);
    case app::FolderIcon::Closed:
      return drawPicture(dc, x, y, kClosedFolder, kIconSize);
  }
}

void drawDriveIcon(HDC dc, int x, int y, DriveKind kind) {
  const COLORREF dark = RGB(0x40, 0x40, 0x40), grey = RGB(0xC0, 0xC0, 0xC0);
  switch (kind) {
    case DriveKind::Removable:  // a floppy disk
      fill(dc, x + 2, y + 1, 12, 14, RGB(0x20, 0x30, 0x80));
      fill(dc, x + 5, y + 1, 6, 5, grey);
      fill(dc, x + 4, y + 9, 8, 6, RGB(0xFF, 0xFF, 0xFF));
      break;
    case DriveKind::Optical:  // a disc
      fill(dc, x + 1, y + 10, 14, 5, dark);
      fill(dc, x + 2, y + 11, 12, 3, grey);
      fill(dc, x + 4, y + 2, 8, 8, RGB(0xC0, 0xD8, 0xFF));
      fill(dc, x + 7, y + 5, 2, 2, dark);
      break;
    case DriveKind::RamDisk:  // a memory chip
      fill(dc, x + 2, y + 4, 12, 8, RGB(0x20, 0x60, 0x20));
      for (int pin = 0; pin < 5; ++pin) {
        fill(dc, x + 3 + 2 * pin, y + 2, 1, 2, grey);
        fill(dc, x + 3 + 2 * pin, y + 12, 1, 2, grey);
      }
      break;
    case DriveKind::Network:  // a disk on a cable
      fill(dc, x + 7, y + 11, 2, 3, dark);
      fill(dc, x + 2, y + 14, 12, 1, dark);
      [[fallthrough]];
    case DriveKind::Fixed:  // a hard disk with its lamp
      fill(dc, x + 1, y + 5, 14, 6, dark);
      fill(dc, x + 2, y + 6, 12, 4, grey);
      fill(dc, x + 11, y + 7, 2, 2, RGB(0x00, 0xC0, 0x00));
      break;
  }
}

}  // namespace tht::win32
