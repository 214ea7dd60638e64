#include "program/scan_schedule.h"

#include <algorithm>
#include <iterator>

namespace brisolt {

bool WakesScan(HookedEvent event, EventObject object, const EventWindow& window, const ClientFrame& client) {
    if (object == EventObject::Other) return false;
    if (object == EventObject::ClientArea && event != HookedEvent::Focused && event != HookedEvent::Reordered)
        return false;
    switch (event) {
        case HookedEvent::Focused:
        case HookedEvent::Foreground:
        case HookedEvent::Destroyed:  // reported when the window is gone already
            return true;
        default:
            break;
    }
    if (window.gone || window.parent == 0) return true;
    return client.mdiArea != 0 && (window.window == client.mdiArea || window.parent == client.mdiArea);
}

void ScanSchedule::OnWindowEvent(std::int64_t now, WindowEvent event) {
    if (event == WindowEvent::Created && !createdAt_) {
        createdAt_ = now;
        looksTaken_ = 0;
    }
    if (eventWaiting_) return;  // the waiting scan answers this one too
    eventWaiting_ = true;
    firstWaitingEventAt_ = now;
}

std::optional<std::int64_t> ScanSchedule::EventScanDueAt() const {
    if (scanning_) return std::nullopt;
    std::optional<std::int64_t> wanted;
    if (createdAt_) wanted = *createdAt_ + kLooksAfterCreationMs[looksTaken_];
    if (eventWaiting_ && (!wanted || firstWaitingEventAt_ < *wanted)) wanted = firstWaitingEventAt_;
    if (!wanted) return std::nullopt;
    return std::max(*wanted, gapEndsAt_);
}

bool ScanSchedule::EventScanDue(std::int64_t now) const {
    const std::optional<std::int64_t> due = EventScanDueAt();
    return due && now >= *due;
}

void ScanSchedule::ScanStarted(std::int64_t now, ScanCause cause) {
    scanning_ = true;
    cause_ = cause;
    scanStartedAt_ = now;
    eventWaiting_ = false;  // this scan reads what every earlier event changed
    if (createdAt_ && now >= *createdAt_ + kLooksAfterCreationMs[looksTaken_] &&
        ++looksTaken_ == std::size(kLooksAfterCreationMs))
        createdAt_.reset();
    if (cause == ScanCause::Heartbeat) {
        heartbeatPassedTurn_ = extraScanSoundedSinceHeartbeat_;
        extraScanSoundedSinceHeartbeat_ = false;
    }
}

void ScanSchedule::ScanFinished(std::int64_t now) {
    if (!scanning_) return;
    scanning_ = false;
    const std::int64_t cost = std::max<std::int64_t>(0, now - scanStartedAt_);
    gapEndsAt_ = now + 2 * cost;
}

bool ScanSchedule::MaySound() const {
    if (!scanning_) return true;
    if (cause_ == ScanCause::Heartbeat) return !heartbeatPassedTurn_;
    if (heartbeatPassedTurn_) return false;
    return !lastSoundAt_ || scanStartedAt_ - *lastSoundAt_ >= intervalMs_;
}

void ScanSchedule::SoundPlayed() {
    if (!scanning_) return;
    lastSoundAt_ = scanStartedAt_;
    if (cause_ == ScanCause::WindowEvent) extraScanSoundedSinceHeartbeat_ = true;
}

}  // namespace brisolt
