#include "protocol/ecu_session.h"

namespace rizazovoz {

EcuSession::EcuSession(LinkPort& link, const DisplaySettings& settings, DashboardReadouts& readouts,
                       StatusPanels& panels, DashboardGauges& gauges, EcuWindows& windows,
                       UserMessages& messages)
    : decoder_(values_, profile_, settings, readouts),
      setup_(profile_, settings, gauges, windows, panels, messages),
      poller_(link, profile_, values_, *this, *this, panels, messages),
      supervisor_(link, poller_, setup_, values_, panels, windows) {}

bool EcuSession::RequestReset() {
  if (!connected()) return false;
  poller_.RequestReset();
  return true;
}

bool EcuSession::CommandActuator(ActuatorMode mode, int value) {
  if (!connected()) return false;
  poller_.CommandActuator(mode, value);
  return true;
}

}  // namespace rizazovoz
