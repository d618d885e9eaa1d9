#pragma once

#include <windows.h>

namespace meltemix {

// GDI+ for the process: started when the entry makes one of these, shut down when it goes,
// after every picture and canvas is gone. Painting without it draws nothing.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    bool Started() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

} // namespace meltemix
