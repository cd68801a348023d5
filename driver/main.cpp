// Entry point of Kestrovane.exe: a GUI-subsystem program that opens no window.
#include <windows.h>

#include "driver/job_driver.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RunJob();
    return 0;
}
