// Where every component of the window stands, in design units (pixels for
// a window font 13 pixels high), and how the hosted mode rearranges the
// panels. Both front ends place their controls from this table.
#pragma once

#include <array>
#include <cstdint>

#include "app/command_line.h"

namespace tht::app {

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  bool operator==(const Rect& other) const {
    return left == other.left && top == other.top && width == other.width && height == other.height;
  }
};

// The components in their order of declaration; "Comprobar", added last,
// leaves every other one its index (and its control identifier).
enum Component : int {
  kDraw3D2, kLabel3, kBExportar, kDraw3D3, kLabel4, kBImportar, kDraw3D1,
  kLabel1, kLabel2, kBClose, kDirectorios, kUnidades, kLabel5, kLabel6, kBComprobar, kComponentCount
};

enum class FontKind { Window, Heading, Bold };  // MS Sans Serif 8 pt; Arial 16 px bold; MS Sans Serif bold

// What a component is: a gradient panel, a text label (painted by its
// panel in the Win32 window), a button with a glyph, the folder list or the
// drive list.
enum class ControlKind { Panel, Label, Button, FolderList, DriveList };

struct ComponentSpec {
  const char* name;
  ControlKind kind;
  int parent;          // a Component, or -1 for the window itself
  Rect box;            // within the parent; width/height 0: the control's own size
  const char* caption; // CP1252
  FontKind font;
  int32_t textColour;  // a Windows colour value (red in the lowest byte); -1: window text
  int32_t background;  // -1: transparent
};

constexpr int kDesignTextHeight = 13;
constexpr int kClientWidth = 599;
constexpr int kClientHeight = 311;
constexpr int kTopBandHeight = 106;
constexpr int kFolderPanelHeight = 205;
constexpr int kExportPanelWidth = 289;
constexpr int kPathLabelWidth = 287;
constexpr int kFolderLineHeight = 16;
constexpr int32_t kListBackground = 16776176;  // RGB F0 FB FF
constexpr int32_t kFolderPanelColour = 15128780;
constexpr const char* kWindowCaption = "Exportar e importar datos entre Horavent y TEBA";

const std::array<ComponentSpec, kComponentCount>& componentTable();

// Scales a design measure by the window font's text height over 13.
int scaled(int value, int textHeight);

// The window's components, in pixels within their parents, and which run
// panels show.
struct WindowLayout {
  int width = 0, height = 0;  // the window's client area
  std::array<Rect, kComponentCount> boxes{};
  bool exportShown = true, importShown = true;
};

// Stand-alone: the design table, scaled.
WindowLayout standAloneLayout(int textHeight);

// Hosted in a client area `width` x `height` (the stand-alone window's outer
// size): the folder panel 205 high at the bottom over the full width, the
// top band taking the rest; the chosen panel alone fills the band, or both
// share it with the extra width going to the import panel. The labels and
// buttons keep their places inside their panels.
WindowLayout hostedLayout(int textHeight, Direction direction, int width, int height);

}  // namespace tht::app
