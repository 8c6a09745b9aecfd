// Shell item ids (id lists) owned the RAII way, COM references, and the
// few shell questions the folder tree asks of an item.
#pragma once
#include <string>
#include <utility>

#include "ui/win32.h"
#include <objbase.h>
#include <shlobj.h>

// One id list allocated by the shell allocator, freed with it.
class TPidl {
public:
    TPidl() = default;
    explicit TPidl(LPITEMIDLIST p) : p_(p) {}
    ~TPidl() { reset(); }
    TPidl(TPidl&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    TPidl& operator=(TPidl&& o) noexcept {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    TPidl(const TPidl&) = delete;
    TPidl& operator=(const TPidl&) = delete;

    LPITEMIDLIST get() const { return p_; }
    LPITEMIDLIST* out() {
        reset();
        return &p_;
    }
    LPITEMIDLIST release() { return std::exchange(p_, nullptr); }
    void reset() {
        if (p_) CoTaskMemFree(p_);
        p_ = nullptr;
    }
    explicit operator bool() const { return p_ != nullptr; }

private:
    LPITEMIDLIST p_ = nullptr;
};

// A held COM reference, released at the end.
template <typename I> class TComRef {
public:
    TComRef() = default;
    explicit TComRef(I* p, bool addRef = false) : p_(p) {
        if (p_ && addRef) p_->AddRef();
    }
    ~TComRef() { reset(); }
    TComRef(TComRef&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    TComRef& operator=(TComRef&& o) noexcept {
        if (this != &o) {
            reset();
            p_ = std::exchange(o.p_, nullptr);
        }
        return *this;
    }
    TComRef(const TComRef&) = delete;
    TComRef& operator=(const TComRef&) = delete;
    I* get() const { return p_; }
    I* operator->() const { return p_; }
    void** out() {
        reset();
        return reinterpret_cast<void**>(&p_);
    }
    I** pp() {
        reset();
        return &p_;
    }
    void reset() {
        if (p_) p_->Release();
        p_ = nullptr;
    }
    explicit operator bool() const { return p_ != nullptr; }

private:
    I* p_ = nullptr;
};

namespace shell {
// Size in bytes including the terminating zero id.
UINT PidlSize(LPCITEMIDLIST p);
bool PidlEmpty(LPCITEMIDLIST p);
TPidl PidlCopy(LPCITEMIDLIST p);
TPidl PidlConcat(LPCITEMIDLIST a, LPCITEMIDLIST b);
// The last id alone, and the list without it.
TPidl PidlLast(LPCITEMIDLIST p);
TPidl PidlParent(LPCITEMIDLIST p);

// The display name of an item relative to its folder (flags SHGDN_*).
std::string DisplayName(IShellFolder* folder, LPCITEMIDLIST relative, DWORD flags);
// File-system path of an absolute id, empty when it has none.
std::string PathOf(LPCITEMIDLIST absolute);
// Small system icon index of an absolute id (open icon when asked).
int SmallIcon(LPCITEMIDLIST absolute, bool open);
HIMAGELIST SmallImageList();
} // namespace shell
