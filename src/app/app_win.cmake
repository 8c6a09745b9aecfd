# Win32 half of the application shell.
