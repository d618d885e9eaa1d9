#include "OptionsForm.h"

#include "AppSettings.h"
#include "ErrorBox.h"
#include "OptionsLayout.h"
#include "core/options/LocationSearch.h"
#include "core/options/OptionsDialog.h"
#include "core/provider/LiveJob.h"
#include "core/provider/LiveMemory.h"
#include "win32/platform/CriticalSectionLock.h"
#include "win32/platform/Dpi.h"
#include "win32/platform/Handles.h"
#include "win32/platform/InternetDownload.h"
#include "win32/platform/MsxmlDocument.h"
#include "win32/platform/WideText.h"
#include "win32/platform/Win32ShellLinks.h"

#include <commctrl.h>
#include <commdlg.h>

#include <array>
#include <cstring>
#include <memory>
#include <vector>

namespace meltemix {
namespace {

using C = OptionsControl;

constexpr const wchar_t* DialogTitle = L"Ayarlar...";
constexpr const wchar_t* SwatchClass = L"TShape";
constexpr WORD SwatchPressed = 0x0100;            // notification code of the colour swatch
constexpr UINT WM_APPLYDEFAULTBUTTON = WM_APP + 1; // after the dialog manager's own say
constexpr DWORD ThemeTabTexture = 6;              // ETDT_ENABLETAB

struct LibraryTraits {
    using Handle = HMODULE;
    static Handle invalid() { return nullptr; }
    static void close(Handle h) { FreeLibrary(h); }
};
using Library = UniqueHandle<LibraryTraits>;

// An in-memory dialog template without controls: the controls are made at their pixel
// positions when the dialog starts, as dialog units would not keep them there.
std::vector<DWORD> DialogTemplate(DWORD style, DWORD exStyle, const wchar_t* title) {
    std::vector<WORD> words;
    const auto put32 = [&](DWORD value) {
        words.push_back(LOWORD(value));
        words.push_back(HIWORD(value));
    };
    put32(style);
    put32(exStyle);
    words.insert(words.end(), {0, 0, 0, 0, 0}); // no controls; x, y, cx, cy
    words.insert(words.end(), {0, 0});          // no menu, the standard class
    for (const wchar_t* c = title; *c; ++c)
        words.push_back(static_cast<WORD>(*c));
    words.push_back(0);
    std::vector<DWORD> aligned((words.size() + 1) / 2);
    std::memcpy(aligned.data(), words.data(), words.size() * sizeof(WORD));
    return aligned;
}

HFONT MakeFont(int height, int weight) {
    LOGFONTW font = {};
    font.lfHeight = height;
    font.lfWeight = weight;
    font.lfCharSet = TURKISH_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

// Shape1: a plain rectangle of the chosen colour with a black frame, which opens the
// colour picker on any mouse button.
LRESULT CALLBACK SwatchProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        RECT area;
        GetClientRect(hwnd, &area);
        const auto colour = static_cast<COLORREF>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        // The frame is as thick as the dialog's other lines at this density.
        const int frame = Dpi::OfWindow(hwnd).Scale(1);
        InflateRect(&area, -frame, -frame);
        GdiObject brush(CreateSolidBrush(colour & 0x00FFFFFF));
        FillRect(dc, &area, static_cast<HBRUSH>(brush.get()));
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        SendMessageW(GetParent(hwnd), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(hwnd), SwatchPressed),
                     reinterpret_cast<LPARAM>(hwnd));
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void RegisterSwatchClass() {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = SwatchProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
    wc.lpszClassName = SwatchClass;
    RegisterClassExW(&wc); // fails harmlessly when the class exists from an earlier opening
}

// A page passes its controls' notifications to the dialog, which keeps the rules.
INT_PTR CALLBACK PageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_NOTIFY) {
        SendMessageW(GetParent(page), message, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

class Win32OptionsHost : public OptionsHost {
public:
    Win32OptionsHost(HWND dialog, LiveMemory& live) : links_(dialog), live_(live) {}

    bool download(const DownloadPlan& plan, std::string& body) override {
        const std::wstring agent = Widen(SearchAgent);
        if (!plan.Live)
            return InternetDownload(agent.c_str(), plan.Address, body) == 0;
        return RunLiveJob(*plan.Live, InternetGet(agent), live_, body) == 0;
    }
    std::unique_ptr<XmlDocument> createDocument() override { return CreateMsxmlDocument(); }
    ShellLinks& shell() override { return links_; }

private:
    Win32ShellLinks links_;
    LiveMemory& live_;
};

// The dialog's window: creates the controls, forwards their events to the presenter and
// shows what it is told.
class TOptionsForm final : public OptionsView {
public:
    TOptionsForm(HWND owner, int page, LiveMemory& live)
        : owner_(owner), requestedPage_(page), live_(live) {
        for (COLORREF& colour : customColours_)
            colour = RGB(255, 255, 255);
    }

    OptionsOutcome run() {
        INITCOMMONCONTROLSEX classes = {sizeof classes,
                                        ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_BAR_CLASSES |
                                            ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&classes);
        RegisterSwatchClass();
        const std::vector<DWORD> frame = DialogTemplate(
            WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, DialogTitle);
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                reinterpret_cast<const DLGTEMPLATE*>(frame.data()), owner_,
                                &TOptionsForm::DialogProcedure, reinterpret_cast<LPARAM>(this));
        return outcome_;
    }

    // OptionsView
    void setChecked(C control, bool checked) override {
        SendMessageW(handle(control), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    void setEnabled(C control, bool enabled) override {
        HWND hwnd = handle(control);
        if (!hwnd)
            return;
        // A control that loses its use while it has the focus hands the focus on, so that
        // the keyboard keeps working.
        if (!enabled && GetFocus() == hwnd)
            SendMessageW(dialog_, WM_NEXTDLGCTL, 0, FALSE);
        EnableWindow(hwnd, enabled);
    }
    void setText(C control, const std::string& text) override {
        quiet_ = true;
        SetWindowTextW(handle(control), Widen(text).c_str());
        quiet_ = false;
    }
    void selectAllText(C control) override {
        HWND hwnd = handle(control);
        if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
            SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwnd), TRUE);
        SendMessageW(hwnd, EM_SETSEL, 0, -1);
    }
    void setItems(C control, const std::vector<std::string>& items) override {
        HWND hwnd = handle(control);
        const bool combo = kind(control) == ControlKind::Combo;
        SendMessageW(hwnd, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
        for (const std::string& item : items)
            SendMessageW(hwnd, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(Widen(item).c_str()));
    }
    void setSelection(C control, int row) override {
        const bool combo = kind(control) == ControlKind::Combo;
        SendMessageW(handle(control), combo ? CB_SETCURSEL : LB_SETCURSEL,
                     static_cast<WPARAM>(row), 0);
    }
    void setFocus(C control) override {
        HWND hwnd = handle(control);
        if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
            SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwnd), TRUE);
    }
    void setDefaultButton(C button) override {
        searchIsDefault_ = button == C::Button5;
        applyDefaultButton();
        PostMessageW(dialog_, WM_APPLYDEFAULTBUTTON, 0, 0);
    }
    void setSwatchColour(std::uint32_t colour) override {
        HWND swatch = handle(C::Shape1);
        SetWindowLongPtrW(swatch, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
        InvalidateRect(swatch, nullptr, TRUE);
    }
    void showPage(int page) override {
        SendMessageW(tab_, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
        showPageWindow(page);
    }
    void setBusy(bool busy) override {
        if (busy)
            savedCursor_ = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
        else
            SetCursor(savedCursor_);
    }
    void showError(const std::string& text) override { ShowErrorBox(dialog_, text.c_str()); }
    bool chooseColour(std::uint32_t& colour) override {
        // The picker's library is loaded only by those who open it, and only until the
        // dialog closes: the widget itself never needs it.
        using ChooseColor = BOOL(WINAPI*)(CHOOSECOLORW*);
        if (!comdlg_)
            comdlg_.reset(LoadLibraryW(L"comdlg32.dll"));
        const auto chooseColor =
            comdlg_ ? reinterpret_cast<ChooseColor>(reinterpret_cast<void*>(
                          GetProcAddress(comdlg_.get(), "ChooseColorW")))
                    : nullptr;
        if (!chooseColor)
            return false;
        CHOOSECOLORW picker = {};
        picker.lStructSize = sizeof picker;
        picker.hwndOwner = dialog_;
        picker.rgbResult = colour & 0x00FFFFFF;
        picker.lpCustColors = customColours_;
        picker.Flags = CC_RGBINIT | CC_ANYCOLOR;
        if (!chooseColor(&picker))
            return false;
        colour = picker.rgbResult;
        return true;
    }

private:
    static INT_PTR CALLBACK DialogProcedure(HWND hwnd, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
            reinterpret_cast<TOptionsForm*>(lParam)->dialog_ = hwnd;
        }
        auto* self = reinterpret_cast<TOptionsForm*>(GetWindowLongPtrW(hwnd, DWLP_USER));
        if (!self)
            return FALSE;
        INT_PTR result = FALSE;
        RunGuarded(hwnd, [&] { result = self->handleMessage(message, wParam, lParam); });
        return result;
    }

    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_INITDIALOG:
            FormCreate();
            return FALSE; // the focus is set already
        case WM_COMMAND:
            if (!closing_)
                command(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (presenter_ && header->hwndFrom == tab_ && header->code == TCN_SELCHANGE) {
                const int page = static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0));
                showPageWindow(page);
                presenter_->pageShown(page);
            }
            return TRUE;
        }
        case WM_DPICHANGED:
            if (presenter_) // the controls are there to follow it
                rescale(Dpi(HIWORD(wParam)), *reinterpret_cast<const RECT*>(lParam));
            return TRUE;
        case WM_APPLYDEFAULTBUTTON:
            applyDefaultButton();
            return TRUE;
        case WM_DESTROY:
            closing_ = true;
            return FALSE;
        default:
            return FALSE;
        }
    }

    void FormCreate() {
        dpi_ = Dpi::OfWindow(dialog_);
        makeFonts();
        placeWindow();
        createControls();
        host_ = std::make_unique<Win32OptionsHost>(dialog_, live_);
        presenter_ = std::make_unique<OptionsDialog>(AppSettings(), *this, *host_);
        presenter_->load(requestedPage_);
        SetFocus(GetNextDlgTabItem(dialog_, nullptr, FALSE));
    }

    void makeFonts() {
        normalFont_.reset(MakeFont(dpi_.Scale(-11), FW_NORMAL));
        smallFont_.reset(MakeFont(dpi_.Scale(-9), FW_NORMAL));
        boldFont_.reset(MakeFont(dpi_.Scale(-11), FW_BOLD));
    }

    HFONT fontOf(TypeFace face) const {
        return static_cast<HFONT>(face == TypeFace::Small  ? smallFont_.get()
                                  : face == TypeFace::Bold ? boldFont_.get()
                                                           : normalFont_.get());
    }

    // The dialog moved to a screen of another density: every control and font at it, the
    // window at the rectangle the system suggests.
    void rescale(Dpi dpi, const RECT& suggested) {
        dpi_ = dpi;
        // in use until each control has its new one
        const GdiObject oldNormal(std::move(normalFont_)), oldSmall(std::move(smallFont_)),
            oldBold(std::move(boldFont_));
        makeFonts();
        PlaceWindow(dialog_, suggested);
        const auto move = [](HWND hwnd, const RECT& at, HFONT font) {
            PlaceWindow(hwnd, at);
            SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        };
        move(tab_, ScaleRect(dpi_, PageControlRect), fontOf(TypeFace::Normal));
        const RECT sheet = sheetRect();
        for (HWND page : pages_)
            SetWindowPos(page, nullptr, sheet.left, sheet.top, sheet.right - sheet.left,
                         sheet.bottom - sheet.top, SWP_NOZORDER | SWP_NOACTIVATE);
        for (const auto& [hwnd, item] : placed_)
            move(hwnd, ScaleRect(dpi_, *item), fontOf(item->face));
        // the arrows sit at the right of their box again
        SendMessageW(handle(C::UpDown1), UDM_SETBUDDY, reinterpret_cast<WPARAM>(handle(C::Edit1)),
                     0);
        move(handle(C::Button1), ScaleRect(dpi_, SaveButtonRect), fontOf(TypeFace::Normal));
        move(handle(C::Button2), ScaleRect(dpi_, CancelButtonRect), fontOf(TypeFace::Normal));
        InvalidateRect(dialog_, nullptr, TRUE);
    }

    // Where the pages lie: the tab control's body, in the dialog's client area.
    RECT sheetRect() const {
        RECT sheet;
        GetClientRect(tab_, &sheet);
        SendMessageW(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&sheet));
        MapWindowPoints(tab_, dialog_, reinterpret_cast<POINT*>(&sheet), 2);
        return sheet;
    }

    // 448 × 481 pixels of client area at 96 dpi, in the middle of the screen.
    void placeWindow() {
        const RECT frame = dpi_.FrameAround(
            {0, 0, dpi_.Scale(OptionsClientWidth), dpi_.Scale(OptionsClientHeight)},
            static_cast<DWORD>(GetWindowLongPtrW(dialog_, GWL_STYLE)),
            static_cast<DWORD>(GetWindowLongPtrW(dialog_, GWL_EXSTYLE)));
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        SetWindowPos(dialog_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

    HWND makeControl(HWND parent, const wchar_t* className, const wchar_t* caption, DWORD style,
                     DWORD exStyle, const RECT& at, int id, HFONT font) {
        HWND hwnd = CreateWindowExW(exStyle, className, caption, WS_CHILD | WS_VISIBLE | style,
                                    at.left, at.top, at.right - at.left, at.bottom - at.top,
                                    parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                    GetModuleHandleW(nullptr), nullptr);
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return hwnd;
    }

    void createControls() {
        HFONT font = static_cast<HFONT>(normalFont_.get());
        tab_ = makeControl(dialog_, WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPSIBLINGS, 0,
                           ScaleRect(dpi_, PageControlRect), 0, font);
        for (int page = 0; page < OptionsDialog::PageCount; ++page) {
            TCITEMW item = {};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(PageCaptions[page]);
            SendMessageW(tab_, TCM_INSERTITEMW, static_cast<WPARAM>(page),
                         reinterpret_cast<LPARAM>(&item));
        }
        const RECT sheet = sheetRect();
        const std::vector<DWORD> pageTemplate =
            DialogTemplate(WS_CHILD | DS_CONTROL, WS_EX_CONTROLPARENT, L"");
        using EnableTexture = HRESULT(WINAPI*)(HWND, DWORD);
        uxtheme_.reset(LoadLibraryW(L"uxtheme.dll"));
        const auto enableTexture =
            uxtheme_ ? reinterpret_cast<EnableTexture>(reinterpret_cast<void*>(
                           GetProcAddress(uxtheme_.get(), "EnableThemeDialogTexture")))
                     : nullptr;
        for (int page = 0; page < OptionsDialog::PageCount; ++page) {
            HWND hwnd = CreateDialogIndirectParamW(
                GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(pageTemplate.data()),
                dialog_, PageProcedure, 0);
            // Above the tab control, so that the page is drawn over its body.
            SetWindowPos(hwnd, HWND_TOP, sheet.left, sheet.top, sheet.right - sheet.left,
                         sheet.bottom - sheet.top, SWP_NOACTIVATE);
            if (enableTexture)
                enableTexture(hwnd, ThemeTabTexture);
            pages_[static_cast<std::size_t>(page)] = hwnd;
        }

        for (const ControlLayout& item : OptionsControls())
            createControl(item);
        handles_[static_cast<std::size_t>(C::Button1)] =
            makeControl(dialog_, WC_BUTTONW, L"&Kaydet", WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
                        ScaleRect(dpi_, SaveButtonRect), IDOK, font);
        handles_[static_cast<std::size_t>(C::Button2)] =
            makeControl(dialog_, WC_BUTTONW, L"Ipt&al", WS_TABSTOP | BS_PUSHBUTTON, 0,
                        ScaleRect(dpi_, CancelButtonRect), IDCANCEL, font);
        kinds_[static_cast<std::size_t>(C::Button1)] = ControlKind::Button;
        kinds_[static_cast<std::size_t>(C::Button2)] = ControlKind::Button;
        createTooltips();
    }

    void createControl(const ControlLayout& item) {
        HWND parent = pages_[static_cast<std::size_t>(item.page)];
        const RECT at = ScaleRect(dpi_, item);
        HFONT font = fontOf(item.face);
        const wchar_t* className = WC_BUTTONW;
        DWORD style = 0;
        DWORD exStyle = 0;
        switch (item.kind) {
        case ControlKind::Group:
            style = BS_GROUPBOX;
            break;
        case ControlKind::Label:
            className = WC_STATICW;
            style = SS_LEFT | (item.face == TypeFace::Normal ? 0 : SS_NOPREFIX);
            break;
        case ControlKind::CheckBox:
            style = WS_TABSTOP | BS_AUTOCHECKBOX;
            break;
        case ControlKind::Radio:
            style = WS_TABSTOP | BS_RADIOBUTTON;
            break;
        case ControlKind::Button:
            style = WS_TABSTOP | BS_PUSHBUTTON;
            break;
        case ControlKind::Combo:
            className = WC_COMBOBOXW;
            style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
            break;
        case ControlKind::List:
            className = WC_LISTBOXW;
            style = WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::Edit:
            className = WC_EDITW;
            style = WS_TABSTOP | ES_AUTOHSCROLL;
            exStyle = WS_EX_CLIENTEDGE;
            break;
        case ControlKind::UpDown:
            className = UPDOWN_CLASSW;
            style = UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS;
            break;
        case ControlKind::Swatch:
            className = SwatchClass;
            break;
        case ControlKind::Bevel:
            className = WC_STATICW;
            style = SS_SUNKEN;
            break;
        }
        OptionsControl control;
        const bool named = ControlOfId(item.id, control);
        if (named && control == C::Button5)
            style |= BS_NOTIFY; // it tells when it has the focus: Enter then searches
        HWND hwnd = makeControl(parent, className, item.caption ? item.caption : L"", style,
                                exStyle, at, item.id, font);
        placed_.emplace_back(hwnd, &item);
        if (!named)
            return;
        handles_[static_cast<std::size_t>(control)] = hwnd;
        kinds_[static_cast<std::size_t>(control)] = item.kind;
        if (item.kind == ControlKind::UpDown) {
            SendMessageW(hwnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(handle(C::Edit1)), 0);
            SendMessageW(hwnd, UDM_SETRANGE32, OptionsDialog::OpacityMin,
                         OptionsDialog::OpacityMax);
        }
    }

    void createTooltips() {
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        for (const ControlLayout& item : OptionsControls()) {
            OptionsControl control;
            if (!item.hint || !ControlOfId(item.id, control))
                continue;
            TTTOOLINFOW tool = {};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
            tool.hwnd = pages_[static_cast<std::size_t>(item.page)];
            tool.uId = reinterpret_cast<UINT_PTR>(handle(control));
            tool.lpszText = const_cast<wchar_t*>(item.hint);
            SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }

    void command(int id, int code) {
        OptionsControl control;
        if (quiet_ || !presenter_ || !ControlOfId(id, control))
            return;
        switch (control) {
        case C::Button1: // Enter anywhere, or the button itself
            if (!presenter_->enterSearches())
                close(true);
            else if (IsWindowEnabled(handle(C::Button5)))
                presenter_->buttonClicked(C::Button5);
            return;
        case C::Button2: // Esc, the close box, or the button itself
            close(false);
            return;
        case C::Shape1:
            if (code == SwatchPressed)
                presenter_->swatchPressed();
            return;
        default:
            break;
        }
        switch (kind(control)) {
        case ControlKind::CheckBox:
            if (code == BN_CLICKED)
                presenter_->checkClicked(
                    control, SendMessageW(handle(control), BM_GETCHECK, 0, 0) == BST_CHECKED);
            break;
        case ControlKind::Radio:
            if (code == BN_CLICKED)
                presenter_->modeChosen(RadioMode(control));
            break;
        case ControlKind::Button:
            if (code == BN_CLICKED)
                presenter_->buttonClicked(control);
            else if (code == BN_SETFOCUS || code == BN_KILLFOCUS)
                presenter_->focusChanged(control, code == BN_SETFOCUS);
            break;
        case ControlKind::Combo:
            if (code == CBN_SELCHANGE)
                presenter_->selectionChanged(
                    control, static_cast<int>(SendMessageW(handle(control), CB_GETCURSEL, 0, 0)));
            break;
        case ControlKind::List:
            if (code == LBN_SELCHANGE)
                presenter_->selectionChanged(
                    control, static_cast<int>(SendMessageW(handle(control), LB_GETCURSEL, 0, 0)));
            break;
        case ControlKind::Edit:
            if (code == EN_CHANGE)
                presenter_->textChanged(control, text(control));
            else if (code == EN_SETFOCUS || code == EN_KILLFOCUS)
                presenter_->focusChanged(control, code == EN_SETFOCUS);
            break;
        default:
            break;
        }
    }

    // FormCloseQuery: the presenter decides, an error it raises keeps the dialog open.
    void close(bool ok) {
        bool allowed = false;
        if (!RunGuarded(dialog_, [&] { allowed = presenter_->closeQuery(ok); }) || !allowed)
            return;
        outcome_.ok = ok;
        outcome_.placeChanged = ok && presenter_->locationChosen();
        EndDialog(dialog_, ok ? IDOK : IDCANCEL);
    }

    void showPageWindow(int page) {
        for (int i = 0; i < OptionsDialog::PageCount; ++i)
            ShowWindow(pages_[static_cast<std::size_t>(i)], i == page ? SW_SHOW : SW_HIDE);
    }

    void applyDefaultButton() {
        SendMessageW(handle(C::Button5), BM_SETSTYLE,
                     searchIsDefault_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
        SendMessageW(handle(C::Button1), BM_SETSTYLE,
                     searchIsDefault_ ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON, TRUE);
    }

    std::string text(C control) const {
        HWND hwnd = handle(control);
        std::wstring buffer(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
        const int length = GetWindowTextW(hwnd, &buffer[0], static_cast<int>(buffer.size()));
        return Narrow(buffer.c_str(), length);
    }

    HWND handle(C control) const { return handles_[static_cast<std::size_t>(control)]; }
    ControlKind kind(C control) const { return kinds_[static_cast<std::size_t>(control)]; }

    HWND owner_;
    int requestedPage_;
    LiveMemory& live_;
    HWND dialog_ = nullptr;
    HWND tab_ = nullptr;
    HWND tooltip_ = nullptr;
    Dpi dpi_;
    std::array<HWND, OptionsDialog::PageCount> pages_{};
    std::array<HWND, OptionsControlCount> handles_{};
    std::array<ControlKind, OptionsControlCount> kinds_{};
    std::vector<std::pair<HWND, const ControlLayout*>> placed_; // every control of the pages
    GdiObject normalFont_, smallFont_, boldFont_;
    Library uxtheme_;
    Library comdlg_;
    std::unique_ptr<Win32OptionsHost> host_;
    std::unique_ptr<OptionsDialog> presenter_;
    COLORREF customColours_[16];
    HCURSOR savedCursor_ = nullptr;
    bool quiet_ = false;
    bool closing_ = false;
    bool searchIsDefault_ = false;
    OptionsOutcome outcome_;
};

} // namespace

OptionsOutcome RunOptionsDialog(HWND owner, int page, LiveMemory* live) {
    LiveMemory ownMemory(SystemTicks, std::make_unique<CriticalSectionLock>());
    TOptionsForm form(owner, page, live ? *live : ownMemory);
    return form.run();
}

} // namespace meltemix
