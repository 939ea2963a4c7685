#include "app/over_host.h"

namespace tht::app {

OverHostAction followHost(const HostWindowState& host, const OverHostWindow& window) {
  if (!host.exists) return {OverHostStep::End};
  if (!host.visible || host.minimised) return {window.shown ? OverHostStep::Hide : OverHostStep::Nothing};
  const int left = host.clientLeft + 2, top = host.clientTop + 2;
  if (!window.shown) return {OverHostStep::Show, left, top, !window.everShown || host.active};
  const bool moved = window.left != left || window.top != top;
  const bool cameToFront = host.active && (!window.hostActive || window.activationRetries > 0);
  return {moved ? OverHostStep::Move : OverHostStep::Nothing, left, top, cameToFront, moved || cameToFront};
}

void recordStep(OverHostWindow& window, const HostWindowState& host, const OverHostAction& action) {
  window.hostActive = host.active;
  // An activation that held leaves the host inactive on the next tick; one
  // that the host took back leaves it active, and is asked for again while
  // retries are left.
  if (!host.active)
    window.activationRetries = 0;
  else if (action.activate)
    window.activationRetries = window.activationRetries > 0 ? window.activationRetries - 1 : kActivationRetries;
  switch (action.step) {
    case OverHostStep::Hide:
      window.shown = false;
      break;
    case OverHostStep::Show:
      window.shown = window.everShown = true;
      [[fallthrough]];
    case OverHostStep::Move:
      window.left = action.left;
      window.top = action.top;
      break;
    case OverHostStep::Nothing:
    case OverHostStep::End:
      break;
  }
}

}  // namespace tht::app
