#include "native/fakes/RecordingMainHost.h"

namespace meltemix {

const char* PurposeName(Download purpose) {
    switch (purpose) {
    case Download::Feed: return "Feed";
    case Download::Ip: return "Ip";
    case Download::Version: return "Version";
    }
    return "?";
}

std::vector<std::string> RecordingMainHost::calls(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& line : log)
        if (line.compare(0, prefix.size(), prefix) == 0)
            found.push_back(line);
    return found;
}

void RecordingMainHost::setCheckTimer(bool enabled, std::uint32_t intervalMs) {
    checkTimer = enabled;
    checkInterval = intervalMs;
    log.push_back("setCheckTimer " + std::to_string(enabled) + " " + std::to_string(intervalMs));
}

void RecordingMainHost::setVersionTimer(bool enabled) {
    versionTimer = enabled;
    log.push_back("setVersionTimer " + std::to_string(enabled));
}

void RecordingMainHost::setLoadedTimer(bool enabled) {
    loadedTimer = enabled;
    log.push_back("setLoadedTimer " + std::to_string(enabled));
}

void RecordingMainHost::setRetryTimer(bool enabled, std::uint32_t intervalMs) {
    retryTimer = enabled;
    retryInterval = intervalMs;
    log.push_back("setRetryTimer " + std::to_string(enabled) + " " + std::to_string(intervalMs));
}

void RecordingMainHost::setTrayRetryTimer(bool enabled, std::uint32_t) {
    trayRetryTimer = enabled;
    log.push_back("setTrayRetryTimer " + std::to_string(enabled));
}

ScreenRect RecordingMainHost::nearestWorkArea(const ScreenRect& rect) const {
    // The area whose centre is closest to the rectangle's, as the platform picks it.
    const ScreenRect* best = nullptr;
    long long bestDistance = 0;
    for (const ScreenRect& area : areas) {
        const long long dx = (area.left + area.right) / 2 - (rect.left + rect.right) / 2;
        const long long dy = (area.top + area.bottom) / 2 - (rect.top + rect.bottom) / 2;
        if (!best || dx * dx + dy * dy < bestDistance) {
            best = &area;
            bestDistance = dx * dx + dy * dy;
        }
    }
    return best ? *best : ScreenRect{};
}

void RecordingMainHost::startDownload(Download purpose, const DownloadPlan& plan) {
    const std::string what = plan.Live ? "live " + plan.Live->Argument : plan.Address;
    log.push_back(std::string("startDownload ") + PurposeName(purpose) + " " + what);
    if (startRefuses && (!refuseOnlyPurpose || purpose == refusedPurpose))
        throw std::runtime_error("no thread");
}

std::string RecordingMainHost::downloadedBytes(Download purpose) {
    log.push_back(std::string("downloadedBytes ") + PurposeName(purpose));
    return bytes[purpose];
}

void RecordingMainHost::freeDownload(Download purpose) {
    log.push_back(std::string("freeDownload ") + PurposeName(purpose));
}

void RecordingMainHost::moveWindow(ScreenPoint p) {
    const bool changed = p.x != position.x || p.y != position.y;
    position = p;
    log.push_back("moveWindow " + std::to_string(p.x) + "," + std::to_string(p.y));
    if (changed && moved)
        moved();
}

void RecordingMainHost::showWindow() {
    visible = true;
    log.push_back("showWindow");
}

void RecordingMainHost::hideWindow() {
    visible = false;
    log.push_back("hideWindow");
}

void RecordingMainHost::setTopMost(bool on) {
    topMost = on;
    log.push_back("setTopMost " + std::to_string(on));
}

void RecordingMainHost::dragWindow() {
    const bool changed = dragTo.x != position.x || dragTo.y != position.y;
    position = dragTo;
    log.push_back("dragWindow");
    if (changed && moved)
        moved();
}

int RecordingMainHost::paintFace(const FaceState& face) {
    log.push_back("paintFace " + face.statusText);
    if (paintRaises > 0 && paintRaises--)
        throw std::runtime_error("Out of memory.");
    lastFace = face;
    return infoTextHeight;
}

void RecordingMainHost::paintSkinOnly(const FaceState& face) {
    log.push_back("paintSkinOnly " + std::to_string(face.growth));
    if (paintRaises > 0 && paintRaises--)
        throw std::runtime_error("Out of memory.");
}

void RecordingMainHost::handOver(std::uint8_t alpha) {
    log.push_back("handOver " + std::to_string(alpha));
}

void RecordingMainHost::pause(int milliseconds) {
    log.push_back("pause " + std::to_string(milliseconds));
}

void RecordingMainHost::createOwnedWindows() {
    infoCreated = true;
    log.push_back("createOwnedWindows");
}

void RecordingMainHost::moveInfo(ScreenPoint p) {
    info = p;
    log.push_back("moveInfo " + std::to_string(p.x) + "," + std::to_string(p.y));
}

void RecordingMainHost::showInfoFaded() {
    infoShown = true;
    log.push_back("showInfoFaded");
}

void RecordingMainHost::hideInfoFaded() {
    infoShown = false;
    log.push_back("hideInfoFaded");
}

void RecordingMainHost::repaintInfo(const std::string& infoText, int textHeight) {
    lastInfoText = infoText;
    lastInfoHeight = textHeight;
    log.push_back("repaintInfo");
}

void RecordingMainHost::setInfoTopMost(bool on) {
    log.push_back("setInfoTopMost " + std::to_string(on));
}

void RecordingMainHost::setTrayVisible(bool on) {
    log.push_back("setTrayVisible " + std::to_string(on));
    if (on != tray && (trayRefuses || (on && trayRefusals > 0 && trayRefusals--)))
        throw std::runtime_error(on ? "Cannot create shell notification icon"
                                    : "Cannot remove shell notification icon");
    tray = on;
}

void RecordingMainHost::setTrayHint(const std::string& hint) {
    trayHint = hint;
    log.push_back("setTrayHint " + hint);
}

bool RecordingMainHost::askYesNo(const std::string& question) {
    log.push_back("askYesNo " + question);
    return yes;
}

void RecordingMainHost::openAddress(const std::string& address) {
    log.push_back("openAddress " + address);
}

MainWindowHost::OptionsOutcome RecordingMainHost::runOptions(int page) {
    log.push_back("runOptions " + std::to_string(page));
    if (optionsRaises)
        throw std::runtime_error("Unable to write to .\\Options.ini");
    if (duringOptions)
        duringOptions();
    return options;
}

} // namespace meltemix
