#include <gtest/gtest.h>

#ifdef _WIN32
#include <objbase.h>
#endif

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
#ifdef _WIN32
    // The DOM and the shell objects live in the program's single-threaded apartment.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
#endif
    const int result = RUN_ALL_TESTS();
#ifdef _WIN32
    CoUninitialize();
#endif
    return result;
}
