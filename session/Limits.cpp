// The limits in force in a session: the settings' unless set for it.

#include "chart/vqrdiagram.h"
#include "session/Session.h"
#include "settings/settings.h"

TVQRLimits TVQRSession::Limits() const {
  if (limits_) return *limits_;
  return settings_ ? LimitsFromSettings(*settings_) : TVQRLimits{};
}

void TVQRSession::SetLimits(std::optional<TVQRLimits> limits) {
  limits_ = std::move(limits);
  diagram_->SetLimits(Limits());
}
