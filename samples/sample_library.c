/* A small library of our own that stands for the ".dll" kind in the sample
   folder. It does nothing useful: the viewer only tells that a library
   cannot be run by itself. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}

__declspec(dllexport) int __stdcall QmSampleAnswer(void)
{
    return 42;
}
