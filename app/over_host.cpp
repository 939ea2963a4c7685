#include "app/over_host.h"

namespace tht::app {

OverHostAction followHost(const HostWindowState& host, const OverHostWindow& window) {
  if (!host.exists) return {OverHostStep::End};
  if (!host.visible || host.minimised) return {window.shown ? OverHostStep::Hide : OverHostStep::Nothing};
  const int left = host.clientLeft + 2, top = host.clientTop + 2;
  if (!window.shown) return {OverHostStep::Show, left, top, !window.everShown || host.active};
  const bool moved = window.left != left || window.top != top;
  const bool cameToFront = host.active && !window.hostActive;
  return {moved ? OverHostStep::Move : OverHostStep::Nothing, left, top, cameToFront, moved || cameToFront};
}

}  // namespace tht::app
