/* Built for the other Windows architecture than the tree's (a 32-bit DLL
   in the 64-bit tree and the reverse) and placed under the names of an
   archiver library and an image plug-in: the program must refuse it as it
   refuses a missing library. It exports the entry points by name, so a
   loader that took it would reach code of the wrong architecture. */
#include <windows.h>

__declspec(dllexport) WORD WINAPI UnlhaGetVersion(void) { return 999; }
__declspec(dllexport) BOOL WINAPI UnlhaGetRunning(void) { return TRUE; }
__declspec(dllexport) int WINAPI UnlhaGetFileCount(LPCSTR name) { (void)name; return 7; }
__declspec(dllexport) int WINAPI GetPluginInfo(int no, LPSTR buf, int len) { (void)no; (void)buf; return len; }
__declspec(dllexport) int WINAPI IsSupported(LPSTR name, DWORD_PTR data) { (void)name; (void)data; return 1; }
