// The program entry point of programs built on the framework (kept alone in this file so that programs
// with their own main, such as the test programs, do not link it).
#include "framework/win/Framework.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
