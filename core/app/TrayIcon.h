#pragma once

#include "core/access/TrayKeys.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace meltemix {

// The balloon's icon kind, passed to the shell unchanged.
enum TBalloonFlags { bfNone = 0, bfInfo = 1, bfWarning = 2, bfError = 3 };

enum class NotifyCommand { Add, Modify, Delete };

// The shell's notification record, field for field, in portable form. Icons are the
// platform's handles as numbers; texts are UTF-8 already cut to the shell's lengths.
struct NotifyRecord {
    static constexpr std::uint32_t Message = 0x1, Icon = 0x2, Tip = 0x4, Info = 0x10;
    // The standard tool tip under version 4 callbacks, which leave it out otherwise (Vista).
    static constexpr std::uint32_t ShowTip = 0x80;
    static constexpr std::uint32_t CallbackMessage = 1025; // WM_USER + 1

    std::uint32_t flags = Message | Icon;
    std::uintptr_t icon = 0;
    std::string tip;
    std::string info;
    std::string infoTitle;
    std::uint32_t timeout = 3000;
    std::uint32_t infoFlags = bfNone;
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Keys and buttons held while a mouse event happened.
struct TShiftState {
    bool shift = false, ctrl = false, alt = false;
    bool left = false, right = false, middle = false;
};

// What the tray icon needs of the platform.
class TrayShell {
public:
    virtual ~TrayShell() = default;
    virtual bool notify(NotifyCommand command, const NotifyRecord& record) = 0;
    virtual void cursorPos(int& x, int& y) const = 0;
    virtual TShiftState keyState() const = 0;
    virtual void setAnimationTimer(bool enabled, std::uint32_t intervalMs) = 0;
    // Shows the popup menu at a screen point, the way the shell needs it done (the
    // application in the foreground and pending messages handled first, a null message after).
    virtual void popupMenu(int x, int y) = 0;
    // Asks the shell to call back in the manner of a version (NIM_SETVERSION); false when it
    // does not know that version.
    virtual bool setVersion(int /*version*/) { return false; }
    // Gives the keyboard focus back to the icon (NIM_SETFOCUS); false when the shell cannot.
    virtual bool returnFocus() { return false; }
    // The middle of the icon on the screen, where the shell can tell it.
    virtual bool iconCentre(int& /*x*/, int& /*y*/) const { return false; }
};

// The shell's mouse messages, as they arrive in the callback's lParam.
namespace TrayMouse {
constexpr std::uint32_t Move = 0x0200, LeftDown = 0x0201, LeftUp = 0x0202, LeftDouble = 0x0203,
                        RightDown = 0x0204, RightUp = 0x0205, RightDouble = 0x0206,
                        MiddleDown = 0x0207, MiddleUp = 0x0208, MiddleDouble = 0x0209,
                        BalloonHide = 1027, BalloonTimeout = 1028, BalloonUserClick = 1029;
} // namespace TrayMouse

// A notification-area icon with tool tip, balloon, animation and mouse events.
class TCustomTrayIcon {
public:
    using Notify = std::function<void()>;
    using MouseEvent = std::function<void(TMouseButton, TShiftState, int x, int y)>;
    using MoveEvent = std::function<void(TShiftState, int x, int y)>;

    // `applicationIcon` stands in when no icon was set; `applicationTitle` is the first tip.
    TCustomTrayIcon(TrayShell& shell, std::uintptr_t applicationIcon,
                    const std::string& applicationTitle);
    virtual ~TCustomTrayIcon();
    TCustomTrayIcon(const TCustomTrayIcon&) = delete;
    TCustomTrayIcon& operator=(const TCustomTrayIcon&) = delete;

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    std::uintptr_t Icon() const { return icon_; }
    void SetIcon(std::uintptr_t icon);
    const std::vector<std::uintptr_t>& Icons() const { return icons_; }
    void SetIcons(std::vector<std::uintptr_t> icons);
    int IconIndex() const { return iconIndex_; }
    virtual void SetIconIndex(int index);
    bool Animate() const { return animate_; }
    void SetAnimate(bool animate);
    std::uint32_t AnimateInterval() const { return animateInterval_; }
    void SetAnimateInterval(std::uint32_t milliseconds);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    const std::string& BalloonHint() const { return balloonHint_; }
    void SetBalloonHint(const std::string& text);
    const std::string& BalloonTitle() const { return balloonTitle_; }
    void SetBalloonTitle(const std::string& title);
    std::uint32_t BalloonTimeout() const { return record_.timeout; }
    void SetBalloonTimeout(std::uint32_t milliseconds) { record_.timeout = milliseconds; }
    TBalloonFlags BalloonFlags() const { return balloonFlags_; }
    void SetBalloonFlags(TBalloonFlags flags) { balloonFlags_ = flags; }
    bool HasPopupMenu() const { return popupMenu_; }
    void SetPopupMenu(bool present) { popupMenu_ = present; }

    virtual void ShowBalloonHint();
    // The hidden window's callback message as the shell sent it, read in the packing of the
    // version the shell took; `iconId` is the record's identifier.
    void Callback(std::uint64_t wParam, std::uint64_t lParam, std::uint32_t iconId);
    // The version of callbacks the shell agreed to at the last add (0: the first one).
    int Version() const { return version_; }
    // A mouse message of the callback; the animation timer's tick.
    virtual void WindowProc(std::uint32_t mouseMessage);
    virtual void AnimationTick();
    // The shell's notification area was made anew (the shell restarted): the icon is no longer
    // in it. Whoever wants it back sets it visible again.
    void TaskbarCreated();
    // The session ends: the icon goes with it.
    void SessionEnding();

    const NotifyRecord& Record() const { return record_; }

    Notify OnClick, OnDblClick, OnAnimate;
    // Enter or Space on the icon (from version 3 on).
    Notify OnKeySelect;
    MouseEvent OnMouseDown, OnMouseUp;
    MoveEvent OnMouseMove;

private:
    bool refresh(NotifyCommand command);
    void updateIcon();
    void resetCurrentIcon();
    TShiftState shiftWith(TMouseButton button) const;
    void keyMenu(const TrayCallback& callback);

    TrayShell& shell_;
    std::uintptr_t applicationIcon_;
    NotifyRecord record_;
    bool visible_ = false;
    std::uintptr_t icon_ = 0;
    std::uintptr_t current_ = 0;
    std::vector<std::uintptr_t> icons_;
    int iconIndex_ = 0;
    bool animate_ = false;
    std::uint32_t animateInterval_ = 1000;
    bool timerOn_ = false;
    std::string hint_;
    std::string balloonHint_;
    std::string balloonTitle_;
    TBalloonFlags balloonFlags_ = bfNone;
    bool popupMenu_ = false;
    bool clicked_ = false;
    int version_ = 0;
    TrayInputReader input_;
};

// The same component with everything public, as the main window uses it.
class TTrayIcon : public TCustomTrayIcon {
public:
    using TCustomTrayIcon::TCustomTrayIcon;
};

} // namespace meltemix
