// A stand-in for the agent's relay DLL. Every WebPostData call is appended to
// the file named by KV_RELAY_DOUBLE_LOG and answered from the script named by
// KV_RELAY_DOUBLE_SCRIPT, one line per call in call order:
//   "1", "0" or any other text  the result as that string
//   "nostring"                  the result as VT_I4 1
//   "error"                     the error value and error text set, no result
//   "error+1"                   the error values set and the result "1" as well
//   "crash"                     an access violation inside the call
//   "hang"                      never returns
//   "exit"                      ends the process (exit code 7)
//   "endthread"                 ends its thread without returning
//   "heaplock"                  faults while it holds the heaps' locks
//   "badtype"                   the result as VT_DISPATCH with a bad pointer
//   "badpointer"                the result as VT_BSTR with a bad pointer
//   "longerror"                 the error values set, the text 100000 characters long
//   "unfilter"                  removes the crash filter, then faults
//   "unfilter+caught"           removes the crash filter, raises and handles an
//                               exception of its own, then answers "1"
// A call beyond the script's end answers "0".
// With KV_RELAY_DOUBLE_LOAD set to "hang", loading the DLL never finishes.
#include <windows.h>
#include <oleauto.h>

#include <malloc.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fakes/relay_double/double_log.h"

namespace {
// Volatile, so that the compiler cannot see the fault coming.
volatile int* volatile g_nowhere = nullptr;

std::string Environment(const char* name) {
    std::vector<char> value(32768);
    const DWORD n = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    return n > 0 && n < value.size() ? std::string(value.data(), n) : std::string();
}

std::string ReadFileText(const std::string& path) {
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char chunk[4096];
        std::size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
        std::fclose(f);
    }
    return text;
}

std::string ArgumentText(const VARIANT& value) {
    if (value.vt != VT_BSTR) return NonStringRelayArgument(value.vt);
    const int length = static_cast<int>(SysStringLen(value.bstrVal));
    if (length == 0) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, value.bstrVal, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, value.bstrVal, length, &text[0], n, nullptr, nullptr);
    return EscapeRelayText(text);
}

int TypeOnEntry(const VARIANT* value) { return value ? value->vt : -1; }

// Appends the call to the log; returns how many calls the log held before it.
std::size_t RecordCall(const std::array<std::string, 7>& texts, const std::array<int, 3>& outTypes) {
    static std::size_t callsWithoutLog = 0;
    const std::string logPath = Environment("KV_RELAY_DOUBLE_LOG");
    if (logPath.empty()) return callsWithoutLog++;
    const std::size_t before = ParseRelayCalls(ReadFileText(logPath)).size();
    if (FILE* f = std::fopen(logPath.c_str(), "ab")) {
        const std::string line = RelayCallLine(texts, outTypes);
        std::fwrite(line.data(), 1, line.size(), f);
        std::fclose(f);
    }
    return before;
}

std::string ScriptAnswer(std::size_t index) {
    const std::string script = ReadFileText(Environment("KV_RELAY_DOUBLE_SCRIPT"));
    std::size_t start = 0;
    for (std::size_t line = 0; start < script.size(); ++line) {
        std::size_t end = script.find('\n', start);
        if (end == std::string::npos) end = script.size();
        std::string answer = script.substr(start, end - start);
        if (!answer.empty() && answer.back() == '\r') answer.pop_back();
        if (line == index) return answer;
        start = end + 1;
    }
    return "0";
}

void SetText(VARIANT* target, const std::string& text) {
    if (!target) return;
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    BSTR value = SysAllocStringLen(nullptr, static_cast<UINT>(n > 0 ? n : 0));
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), value, n);
    VariantClear(target);
    target->vt = VT_BSTR;
    target->bstrVal = value;
}
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH && Environment("KV_RELAY_DOUBLE_LOAD") == "hang") Sleep(INFINITE);
    return TRUE;
}

extern "C" void WINAPI WebPostData(VARIANT url, VARIANT record, VARIANT mode, VARIANT a4, VARIANT a5, VARIANT a6,
                                   VARIANT a7, VARIANT* result, VARIANT* error, VARIANT* errorText) {
    const std::array<std::string, 7> texts = {ArgumentText(url), ArgumentText(record), ArgumentText(mode),
                                              ArgumentText(a4),  ArgumentText(a5),     ArgumentText(a6),
                                              ArgumentText(a7)};
    const std::array<int, 3> outTypes = {TypeOnEntry(result), TypeOnEntry(error), TypeOnEntry(errorText)};
    const std::string answer = ScriptAnswer(RecordCall(texts, outTypes));

    if (answer == "crash") {
        SetText(result, "1");  // half done when it fails
        *g_nowhere = 1;
    } else if (answer == "hang") {
        Sleep(INFINITE);
    } else if (answer == "unfilter") {
        SetUnhandledExceptionFilter(nullptr);
        *g_nowhere = 1;
    } else if (answer == "unfilter+caught") {
        SetUnhandledExceptionFilter(nullptr);
        try {
            throw answer;
        } catch (const std::string&) {
            SetText(result, "1");
        }
    } else if (answer == "exit") {
        ExitProcess(7);
    } else if (answer == "endthread") {
        ExitThread(0);
    } else if (answer == "heaplock") {
        HeapLock(GetProcessHeap());
        HeapLock(reinterpret_cast<HANDLE>(_get_heap_handle()));
        *g_nowhere = 1;
    } else if (answer == "badtype" || answer == "badpointer") {
        result->vt = answer == "badtype" ? VT_DISPATCH : VT_BSTR;
        result->byref = reinterpret_cast<void*>(16);
    } else if (answer == "longerror") {
        SetText(error, "12029");
        SetText(errorText, std::string(100000, 'e'));
    } else if (answer == "error" || answer == "error+1") {
        SetText(error, "12029");
        SetText(errorText, "relay double error");
        if (answer == "error+1") SetText(result, "1");
    } else if (answer == "nostring") {
        if (result) {
            VariantClear(result);
            result->vt = VT_I4;
            result->lVal = 1;
        }
    } else {
        SetText(result, answer);
    }
}
