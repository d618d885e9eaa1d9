#include "win32/platform/GdiplusSession.h"

#include "win32/platform/GdiplusApi.h"

namespace meltemix {

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input; // version 1
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok)
        token_ = token;
}

GdiplusSession::~GdiplusSession() {
    if (token_)
        Gdiplus::GdiplusShutdown(token_);
}

} // namespace meltemix
