#pragma once
// One owning type per kind of Windows resource. Each knows its own "empty"
// value, so a file handle (INVALID_HANDLE_VALUE) is never confused with a
// process or pipe handle (NULL).
#include <windows.h>
#include <oleauto.h>
#include <utility>

template <typename Traits>
class UniqueResource {
public:
    using Type = typename Traits::Type;
    UniqueResource() = default;
    explicit UniqueResource(Type value) : value_(value) {}
    ~UniqueResource() { reset(); }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : value_(other.release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Type get() const { return value_; }
    explicit operator bool() const { return value_ != Traits::Empty(); }
    // For APIs that fill the handle through a pointer.
    Type* put() {
        reset();
        return &value_;
    }
    Type release() { return std::exchange(value_, Traits::Empty()); }
    void reset(Type value = Traits::Empty()) {
        if (value_ != Traits::Empty()) Traits::Close(value_);
        value_ = value;
    }

private:
    Type value_ = Traits::Empty();
};

struct KernelHandleTraits {  // processes, threads, pipes, events
    using Type = HANDLE;
    static Type Empty() { return nullptr; }
    static void Close(Type h) { CloseHandle(h); }
};
struct FileHandleTraits {  // CreateFile results
    using Type = HANDLE;
    static Type Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};
struct FindHandleTraits {
    using Type = HANDLE;
    static Type Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) { FindClose(h); }
};
struct RegKeyTraits {
    using Type = HKEY;
    static Type Empty() { return nullptr; }
    static void Close(Type k) { RegCloseKey(k); }
};
struct ModuleTraits {
    using Type = HMODULE;
    static Type Empty() { return nullptr; }
    static void Close(Type m) { FreeLibrary(m); }
};
struct LocalMemTraits {  // FormatMessage's FORMAT_MESSAGE_ALLOCATE_BUFFER
    using Type = HLOCAL;
    static Type Empty() { return nullptr; }
    static void Close(Type m) { LocalFree(m); }
};
struct BstrTraits {
    using Type = BSTR;
    static Type Empty() { return nullptr; }
    static void Close(Type b) { SysFreeString(b); }
};

using UniqueHandle = UniqueResource<KernelHandleTraits>;
using UniqueFile = UniqueResource<FileHandleTraits>;
using UniqueFind = UniqueResource<FindHandleTraits>;
using UniqueRegKey = UniqueResource<RegKeyTraits>;
using UniqueModule = UniqueResource<ModuleTraits>;
using UniqueLocal = UniqueResource<LocalMemTraits>;
using UniqueBstr = UniqueResource<BstrTraits>;

// The process and thread handles CreateProcess fills in, both closed by
// their owner.
class UniqueProcessInfo {
public:
    UniqueProcessInfo() = default;
    ~UniqueProcessInfo() { reset(); }
    UniqueProcessInfo(const UniqueProcessInfo&) = delete;
    UniqueProcessInfo& operator=(const UniqueProcessInfo&) = delete;
    // For CreateProcess's last argument.
    PROCESS_INFORMATION* put() {
        reset();
        return &info_;
    }
    HANDLE process() const { return info_.hProcess; }
    HANDLE thread() const { return info_.hThread; }
    void closeThread() { CloseIfOpen(info_.hThread); }
    // Hands the process handle to the caller, who closes it.
    HANDLE releaseProcess() { return std::exchange(info_.hProcess, nullptr); }
    void reset() {
        CloseIfOpen(info_.hThread);
        CloseIfOpen(info_.hProcess);
        info_ = PROCESS_INFORMATION{};
    }

private:
    static void CloseIfOpen(HANDLE& h) {
        if (h) CloseHandle(std::exchange(h, nullptr));
    }
    PROCESS_INFORMATION info_{};
};

// Keeps the thread's last error across the owner's scope: whatever runs in
// between, the caller reads the error it had before.
class LastErrorKeeper {
public:
    LastErrorKeeper() : error_(GetLastError()) {}
    ~LastErrorKeeper() { SetLastError(error_); }
    LastErrorKeeper(const LastErrorKeeper&) = delete;
    LastErrorKeeper& operator=(const LastErrorKeeper&) = delete;

private:
    DWORD error_;
};

// A VARIANT that is cleared when it goes out of scope.
class UniqueVariant {
public:
    UniqueVariant() { VariantInit(&v_); }
    ~UniqueVariant() { VariantClear(&v_); }
    UniqueVariant(const UniqueVariant&) = delete;
    UniqueVariant& operator=(const UniqueVariant&) = delete;
    VARIANT* get() { return &v_; }
    const VARIANT& ref() const { return v_; }
    void reset() { VariantClear(&v_); }

private:
    VARIANT v_;
};

// A COM interface pointer released by its owner.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T** put() {
        reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    void reset() {
        if (p_) {
            p_->Release();
            p_ = nullptr;
        }
    }

private:
    T* p_ = nullptr;
};

// COM initialisation of the calling thread, undone by its owner.
class ComInit {
public:
    ComInit() : hr_(CoInitialize(nullptr)) {}
    ~ComInit() { reset(); }
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;
    HRESULT status() const { return hr_; }
    // Only a successful initialisation (S_OK or S_FALSE) is undone.
    void reset() {
        if (!done_ && SUCCEEDED(hr_)) CoUninitialize();
        done_ = true;
    }

private:
    HRESULT hr_;
    bool done_ = false;
};
