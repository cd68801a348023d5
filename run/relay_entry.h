#pragma once
// The relay DLL's entry point: seven texts by value, then result, error and
// error text as VARIANTs that start empty. Its own return value is not used.
#include <windows.h>
#include <oaidl.h>

using WebPostDataProc = void(WINAPI*)(VARIANT url, VARIANT record, VARIANT mode, VARIANT a4, VARIANT a5, VARIANT a6,
                                      VARIANT a7, VARIANT* result, VARIANT* error, VARIANT* errorText);
