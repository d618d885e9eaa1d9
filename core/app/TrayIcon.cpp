#include "core/app/TrayIcon.h"

#include "core/text/Utf8.h"
#include "core/text/WordCut.h"

#include <stdexcept>

namespace meltemix {
namespace {
// The shell's buffers, less their terminating zero.
constexpr std::size_t TipUnits = 127, InfoUnits = 255, InfoTitleUnits = 63;
} // namespace

TCustomTrayIcon::TCustomTrayIcon(TrayShell& shell, std::uintptr_t applicationIcon,
                                 const std::string& applicationTitle)
    : shell_(shell), applicationIcon_(applicationIcon) {
    shell_.setAnimationTimer(false, animateInterval_);
    record_.tip = TruncateUtf16Units(applicationTitle, TipUnits);
    if (!record_.tip.empty())
        record_.flags |= NotifyRecord::Tip;
    updateIcon();
}

TCustomTrayIcon::~TCustomTrayIcon() {
    refresh(NotifyCommand::Delete);
    shell_.setAnimationTimer(false, animateInterval_);
}

bool TCustomTrayIcon::refresh(NotifyCommand command) {
    if (version_ < TrayVersion4 || !(record_.flags & NotifyRecord::Tip))
        return shell_.notify(command, record_);
    // Only a shell that took version 4 knows the flag; XP's is never sent it.
    NotifyRecord record = record_;
    record.flags |= NotifyRecord::ShowTip;
    return shell_.notify(command, record);
}

void TCustomTrayIcon::updateIcon() {
    record_.icon = current_;
    if (visible_)
        refresh(NotifyCommand::Modify);
}

void TCustomTrayIcon::resetCurrentIcon() {
    current_ = icon_ ? icon_ : applicationIcon_;
    updateIcon();
}

void TCustomTrayIcon::SetVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    if (!animate_ || !current_) {
        // The add or delete below carries the icon; a modify before it would only fail.
        current_ = icon_ ? icon_ : applicationIcon_;
        record_.icon = current_;
    }
    if (visible) {
        // A busy shell (a start from the Startup folder at logon) can let an add time out
        // and still add the icon afterwards; every later add then fails because the icon is
        // there. An icon that takes a modify exists, whatever the add said.
        if (!refresh(NotifyCommand::Add) && !refresh(NotifyCommand::Modify)) {
            visible_ = false;
            throw std::runtime_error("Cannot create shell notification icon");
        }
        // Asked at every add: the keyboard's select and menu, and the icon's place with them,
        // come from version 4 on (Vista), the keyboard's alone with version 3 (XP).
        version_ = shell_.setVersion(TrayVersion4)   ? TrayVersion4
                   : shell_.setVersion(TrayVersion3) ? TrayVersion3
                                                     : 0;
        if (version_ == TrayVersion4 && (record_.flags & NotifyRecord::Tip))
            refresh(NotifyCommand::Modify); // the tool tip back, which version 4 drops
    } else if (!refresh(NotifyCommand::Delete)) {
        throw std::runtime_error("Cannot remove shell notification icon");
    }
    if (animate_) {
        timerOn_ = visible_;
        shell_.setAnimationTimer(timerOn_, animateInterval_);
    }
}

void TCustomTrayIcon::SetIcon(std::uintptr_t icon) {
    icon_ = icon;
    current_ = icon;
    updateIcon();
}

void TCustomTrayIcon::SetIcons(std::vector<std::uintptr_t> icons) {
    icons_ = std::move(icons);
    if (icons_.empty())
        resetCurrentIcon();
}

void TCustomTrayIcon::SetIconIndex(int index) {
    if (index == iconIndex_)
        return;
    iconIndex_ = index;
    if (index >= 0 && index < static_cast<int>(icons_.size()))
        current_ = icons_[static_cast<std::size_t>(index)];
    updateIcon();
}

void TCustomTrayIcon::SetAnimate(bool animate) {
    if (animate == animate_)
        return;
    animate_ = animate;
    if (!icons_.empty() && visible_) {
        timerOn_ = animate;
        shell_.setAnimationTimer(timerOn_, animateInterval_);
    }
    if (!animate && current_)
        icon_ = current_;
}

void TCustomTrayIcon::SetAnimateInterval(std::uint32_t milliseconds) {
    animateInterval_ = milliseconds;
    shell_.setAnimationTimer(timerOn_, animateInterval_);
}

void TCustomTrayIcon::SetHint(const std::string& hint) {
    if (hint == hint_)
        return;
    hint_ = hint;
    // A summary too long for the shell ends at a word, never inside one.
    record_.tip = CutAtWord(hint, TipUnits);
    if (hint.empty())
        record_.flags &= ~NotifyRecord::Tip;
    else
        record_.flags |= NotifyRecord::Tip;
    updateIcon();
}

void TCustomTrayIcon::SetBalloonHint(const std::string& text) {
    if (text == balloonHint_)
        return;
    balloonHint_ = text;
    record_.info = TruncateUtf16Units(text, InfoUnits);
    refresh(NotifyCommand::Modify);
}

void TCustomTrayIcon::SetBalloonTitle(const std::string& title) {
    if (title == balloonTitle_)
        return;
    balloonTitle_ = title;
    record_.infoTitle = TruncateUtf16Units(title, InfoTitleUnits);
    refresh(NotifyCommand::Modify);
}

void TCustomTrayIcon::ShowBalloonHint() {
    record_.flags |= NotifyRecord::Info;
    record_.infoFlags = balloonFlags_;
    refresh(NotifyCommand::Modify);
}

TShiftState TCustomTrayIcon::shiftWith(TMouseButton button) const {
    TShiftState state = shell_.keyState();
    state.left = button == TMouseButton::mbLeft;
    state.right = button == TMouseButton::mbRight;
    state.middle = button == TMouseButton::mbMiddle;
    return state;
}

void TCustomTrayIcon::WindowProc(std::uint32_t mouseMessage) {
    int x = 0, y = 0;
    shell_.cursorPos(x, y);
    auto down = [&](TMouseButton b) {
        if (OnMouseDown)
            OnMouseDown(b, shiftWith(b), x, y);
    };
    auto up = [&](TMouseButton b) {
        if (OnMouseUp)
            OnMouseUp(b, shiftWith(b), x, y);
    };
    switch (mouseMessage) {
    case TrayMouse::Move:
        if (OnMouseMove)
            OnMouseMove(shell_.keyState(), x, y);
        break;
    case TrayMouse::LeftDown:
        down(TMouseButton::mbLeft);
        clicked_ = true;
        break;
    case TrayMouse::LeftUp:
        if (clicked_ && OnClick) {
            OnClick();
            clicked_ = false;
        }
        up(TMouseButton::mbLeft);
        break;
    case TrayMouse::RightDown:
        down(TMouseButton::mbRight);
        break;
    case TrayMouse::RightUp:
        up(TMouseButton::mbRight);
        // From version 3 on, the shell follows the release with WM_CONTEXTMENU: the menu
        // opens then, once.
        if (popupMenu_ && version_ == 0)
            shell_.popupMenu(x, y);
        break;
    case TrayMouse::MiddleDown:
        down(TMouseButton::mbMiddle);
        break;
    case TrayMouse::MiddleUp:
        up(TMouseButton::mbMiddle);
        break;
    case TrayMouse::LeftDouble:
    case TrayMouse::RightDouble:
    case TrayMouse::MiddleDouble:
        if (OnDblClick)
            OnDblClick();
        break;
    case TrayMouse::BalloonHide:
    case TrayMouse::BalloonTimeout:
    case TrayMouse::BalloonUserClick: // the shell says nothing more of a balloon clicked away
        record_.flags &= ~NotifyRecord::Info;
        break;
    default:
        break;
    }
}

void TCustomTrayIcon::AnimationTick() {
    if (OnAnimate)
        OnAnimate();
    if (!icons_.empty() && iconIndex_ < static_cast<int>(icons_.size()) - 1)
        SetIconIndex(iconIndex_ + 1);
    else
        SetIconIndex(0);
    updateIcon();
}

void TCustomTrayIcon::TaskbarCreated() {
    // The balloon is not shown a second time with the icon's return.
    record_.flags &= ~NotifyRecord::Info;
    visible_ = false;
    version_ = 0;
    if (animate_ && timerOn_) {
        timerOn_ = false;
        shell_.setAnimationTimer(false, animateInterval_);
    }
}

void TCustomTrayIcon::SessionEnding() { refresh(NotifyCommand::Delete); }

void TCustomTrayIcon::Callback(std::uint64_t wParam, std::uint64_t lParam, std::uint32_t iconId) {
    const TrayCallback callback = DecodeTrayCallback(version_, wParam, lParam, iconId);
    switch (input_.Read(callback.Event)) {
    case TrayRequest::Mouse:
        WindowProc(callback.Event);
        break;
    case TrayRequest::Nothing:
        break;
    case TrayRequest::ShowAndFocus:
        if (OnKeySelect)
            OnKeySelect();
        break;
    case TrayRequest::KeyMenu:
        keyMenu(callback);
        break;
    case TrayRequest::MouseMenu:
        if (popupMenu_) {
            int x = 0, y = 0;
            shell_.cursorPos(x, y);
            shell_.popupMenu(x, y);
        }
        break;
    }
}

// The menu key or Shift+F10 on the icon: the menu at the icon, wherever the pointer is, and
// the keyboard back on the icon when it ends.
void TCustomTrayIcon::keyMenu(const TrayCallback& callback) {
    if (!popupMenu_)
        return;
    int x = callback.X, y = callback.Y;
    if (!callback.HasPoint && !shell_.iconCentre(x, y))
        shell_.cursorPos(x, y); // before Windows 7 nothing tells where the icon is
    shell_.popupMenu(x, y);
    shell_.returnFocus();
}

} // namespace meltemix
