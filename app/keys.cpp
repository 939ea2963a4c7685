#include "app/keys.h"

namespace tht::app {

EnterPress enterPresses(Focused focused, bool exportShown, bool importShown) {
  switch (focused) {
    case Focused::ExportButton:
      return EnterPress::ExportButton;
    case Focused::ImportButton:
      return EnterPress::ImportButton;
    case Focused::CloseButton:
      return EnterPress::CloseButton;
    case Focused::CheckButton:
      return EnterPress::CheckButton;
    case Focused::OpenDriveList:
      return EnterPress::Control;
    case Focused::FolderList:
    case Focused::DriveList:
      break;
  }
  if (exportShown) return EnterPress::ExportButton;
  if (importShown) return EnterPress::ImportButton;
  return EnterPress::Nothing;
}

std::vector<Component> tabOrder(bool exportShown, bool importShown) {
  std::vector<Component> order;
  if (exportShown) order.push_back(kBExportar);
  if (importShown) order.push_back(kBImportar);
  order.insert(order.end(), {kBClose, kDirectorios, kUnidades, kBComprobar});
  return order;
}

}  // namespace tht::app
