#include "app/layout.h"

#include <cmath>

namespace tht::app {

const std::array<ComponentSpec, kComponentCount>& componentTable() {
  static const std::array<ComponentSpec, kComponentCount> table = {{
      {"Draw3D2", ControlKind::Panel, -1, {0, 0, kExportPanelWidth, kTopBandHeight}, "", FontKind::Window, -1, -1},
      {"Label3", ControlKind::Label, kDraw3D2, {24, 24, 265, 57}, "Transformar datos desde TEBA hacia Horavent ", FontKind::Heading, -1, -1},
      {"BExportar", ControlKind::Button, kDraw3D2, {88, 72, 89, 25}, "Aceptar", FontKind::Window, -1, -1},
      {"Draw3D3", ControlKind::Panel, -1, {289, 0, 310, kTopBandHeight}, "", FontKind::Window, -1, -1},
      {"Label4", ControlKind::Label, kDraw3D3, {8, 24, 305, 57}, "Transformar datos desde Horavent hacia TEBA", FontKind::Heading, -1, -1},
      {"BImportar", ControlKind::Button, kDraw3D3, {96, 64, 89, 25}, "Aceptar", FontKind::Window, -1, -1},
      {"Draw3D1", ControlKind::Panel, -1, {0, kTopBandHeight, kClientWidth, kFolderPanelHeight}, "", FontKind::Window, -1, -1},
      {"Label1", ControlKind::Label, kDraw3D1, {368, 184, 0, 0}, "TransHoraventTEBA V-1.4", FontKind::Bold, 0x0000FF, -1},
      {"Label2", ControlKind::Label, kDraw3D1, {70, 20, 0, 0}, "", FontKind::Bold, 0x0000FF, -1},
      {"BClose", ControlKind::Button, kDraw3D1, {400, 144, 89, 25}, "&Salir", FontKind::Window, -1, -1},
      {"Directorios", ControlKind::FolderList, kDraw3D1, {8, 34, 287, 144}, "", FontKind::Window, -1, kListBackground},
      {"Unidades", ControlKind::DriveList, kDraw3D1, {8, 180, 137, 0}, "", FontKind::Window, -1, kListBackground},
      {"Label5", ControlKind::Label, kDraw3D1, {9, 5, 0, 0}, "Carpeta en la que se encuentran los Ficheros TXT de TEBA", FontKind::Window,
       0xFF0000, kFolderPanelColour},
      {"Label6", ControlKind::Label, kDraw3D1, {9, 19, 0, 0}, "Ruta Actual:", FontKind::Window, 0xFF0000, kFolderPanelColour},
      // Above "&Salir", as wide and as high, clear of it and of the version label.
      {"BComprobar", ControlKind::Button, kDraw3D1, {400, 112, 89, 25}, "&Comprobar", FontKind::Window, -1, -1},
  }};
  return table;
}

int scaled(int value, int textHeight) {
  return static_cast<int>(std::lround(static_cast<double>(value) * textHeight / kDesignTextHeight));
}

WindowLayout standAloneLayout(int textHeight) {
  WindowLayout layout;
  layout.width = scaled(kClientWidth, textHeight);
  layout.height = scaled(kClientHeight, textHeight);
  const auto& table = componentTable();
  for (int i = 0; i < kComponentCount; ++i) {
    const Rect& design = table[i].box;
    layout.boxes[i] = {scaled(design.left, textHeight), scaled(design.top, textHeight),
                       scaled(design.width, textHeight), scaled(design.height, textHeight)};
  }
  return layout;
}

WindowLayout hostedLayout(int textHeight, Direction direction, int width, int height) {
  WindowLayout layout = standAloneLayout(textHeight);
  layout.width = width;
  layout.height = height;
  const int folderPanel = scaled(kFolderPanelHeight, textHeight);
  const int band = height - folderPanel;
  layout.boxes[kDraw3D1] = {0, band, width, folderPanel};
  layout.exportShown = direction != Direction::Import;
  layout.importShown = direction != Direction::Export;
  switch (direction) {
    case Direction::Export:
      layout.boxes[kDraw3D2] = {0, 0, width, band};
      break;
    case Direction::Import:
      layout.boxes[kDraw3D3] = {0, 0, width, band};
      break;
    case Direction::Both: {
      const int left = scaled(kExportPanelWidth, textHeight);
      layout.boxes[kDraw3D2] = {0, 0, left, band};
      layout.boxes[kDraw3D3] = {left, 0, width - left, band};
      break;
    }
  }
  return layout;
}

}  // namespace tht::app
