// The hosted window when it stands over its host's window as a window of
// its own instead of inside it (under Wine, which does not draw a child
// window of another process): kept at 2,2 of the host's client area, and
// shown only while the host is.
#pragma once

namespace tht::app {

// The host's window as last seen.
struct HostWindowState {
  bool exists = true;
  bool visible = true;
  bool minimised = false;
  bool active = false;                // the user's foreground window
  int clientLeft = 0, clientTop = 0;  // its client area's origin on the screen
};

// The hosted window as it stands.
struct OverHostWindow {
  bool shown = false;
  bool everShown = false;
  int left = 0, top = 0;    // on the screen
  bool hostActive = false;  // the host was the active window when last seen
  // Ticks on which an activation is asked for again while the host stays
  // the active window: the host's own activation (a restore, a click on its
  // caption) can reach Wine after the window's, and take the keys back.
  int activationRetries = 0;
};

// The ticks an activation is retried for (with the 40 ms poll, a second).
constexpr int kActivationRetries = 25;

enum class OverHostStep {
  Nothing,
  Move,  // to left, top
  Hide,
  Show,  // at left, top; activated when `activate`
  End,   // the host is gone: the program ends as a close would end it
};

struct OverHostAction {
  OverHostStep step = OverHostStep::Nothing;
  int left = 0, top = 0;
  bool activate = false;  // made the active window, with the keyboard
  // Brought back above the host on the screen: the host came to the front
  // (it became the active window, or moved, as when dragged by its caption).
  bool raise = false;
};

// What keeps the window where the host wants it. It is activated when it
// first shows, and whenever the host becomes the active window while the
// window is shown (the user went back to the host, whose client area it
// covers, to type into what it shows).
OverHostAction followHost(const HostWindowState& host, const OverHostWindow& window);

// The window's state once `action`, decided on a tick that saw `host`, has
// been carried out.
void recordStep(OverHostWindow& window, const HostWindowState& host, const OverHostAction& action);

}  // namespace tht::app
