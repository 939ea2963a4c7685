// What the window's keyboard does: Enter, and the Tab order.
#pragma once

#include <vector>

#include "app/layout.h"

namespace tht::app {

// The control that has the keyboard focus when Enter is pressed.
enum class Focused { ExportButton, ImportButton, CloseButton, CheckButton, FolderList, DriveList, OpenDriveList };

// What Enter presses. `Control`: the control takes the key itself (an open
// drive list chooses its line).
enum class EnterPress { ExportButton, ImportButton, CloseButton, CheckButton, Nothing, Control };

// A focused button takes Enter itself; on the folder list or the closed drive
// list Enter presses the first visible run button (both are default buttons;
// "Comprobar" is none).
EnterPress enterPresses(Focused focused, bool exportShown, bool importShown);

// The controls Tab visits, in order, hidden ones left out; the first has the
// focus when the window first gets it. "Comprobar" comes last.
std::vector<Component> tabOrder(bool exportShown, bool importShown);

}  // namespace tht::app
