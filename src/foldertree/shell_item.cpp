#include "foldertree/shell_item.h"

#include <cstring>

namespace shell {

UINT PidlSize(LPCITEMIDLIST p) {
    if (!p) return 0;
    UINT size = sizeof(USHORT);
    const BYTE* b = reinterpret_cast<const BYTE*>(p);
    for (USHORT cb; (cb = reinterpret_cast<const SHITEMID*>(b)->cb) != 0; b += cb)
        size += cb;
    return size;
}

bool PidlEmpty(LPCITEMIDLIST p) {
    return !p || p->mkid.cb == 0;
}

TPidl PidlCopy(LPCITEMIDLIST p) {
    const UINT size = p ? PidlSize(p) : sizeof(USHORT);
    auto* out = static_cast<LPITEMIDLIST>(CoTaskMemAlloc(size));
    if (!out) return TPidl();
    if (p) {
        std::memcpy(out, p, size);
    } else {
        std::memset(out, 0, size);
    }
    return TPidl(out);
}

TPidl PidlConcat(LPCITEMIDLIST a, LPCITEMIDLIST b) {
    const UINT sa = a ? PidlSize(a) - sizeof(USHORT) : 0;
    const UINT sb = b ? PidlSize(b) : sizeof(USHORT);
    auto* out = static_cast<BYTE*>(CoTaskMemAlloc(sa + sb));
    if (!out) return TPidl();
    if (sa) std::memcpy(out, a, sa);
    if (b) {
        std::memcpy(out + sa, b, sb);
    } else {
        std::memset(out + sa, 0, sb);
    }
    return TPidl(reinterpret_cast<LPITEMIDLIST>(out));
}

namespace {
const BYTE* LastId(LPCITEMIDLIST p) {
    const BYTE* b = reinterpret_cast<const BYTE*>(p);
    const BYTE* last = nullptr;
    for (USHORT cb; (cb = reinterpret_cast<const SHITEMID*>(b)->cb) != 0; b += cb)
        last = b;
    return last;
}
} // namespace

TPidl PidlLast(LPCITEMIDLIST p) {
    if (PidlEmpty(p)) return PidlCopy(nullptr);
    return PidlCopy(reinterpret_cast<LPCITEMIDLIST>(LastId(p)));
}

TPidl PidlParent(LPCITEMIDLIST p) {
    if (PidlEmpty(p)) return PidlCopy(nullptr);
    const UINT keep = static_cast<UINT>(LastId(p) - reinterpret_cast<const BYTE*>(p));
    auto* out = static_cast<BYTE*>(CoTaskMemAlloc(keep + sizeof(USHORT)));
    if (!out) return TPidl();
    std::memcpy(out, p, keep);
    std::memset(out + keep, 0, sizeof(USHORT));
    return TPidl(reinterpret_cast<LPITEMIDLIST>(out));
}

std::string DisplayName(IShellFolder* folder, LPCITEMIDLIST relative, DWORD flags) {
    STRRET sr{};
    if (!folder || FAILED(folder->GetDisplayNameOf(relative, flags, &sr))) return "";
    switch (sr.uType) {
    case STRRET_WSTR: {
        std::string out;
        if (sr.pOleStr) {
            const int n =
                WideCharToMultiByte(CP_ACP, 0, sr.pOleStr, -1, nullptr, 0, nullptr, nullptr);
            if (n > 1) {
                out.resize(n - 1);
                WideCharToMultiByte(CP_ACP, 0, sr.pOleStr, -1, out.data(), n, nullptr, nullptr);
            }
            CoTaskMemFree(sr.pOleStr);
        }
        return out;
    }
    case STRRET_OFFSET:
        return reinterpret_cast<const char*>(relative) + sr.uOffset;
    case STRRET_CSTR:
        return sr.cStr;
    }
    return "";
}

std::string PathOf(LPCITEMIDLIST absolute) {
    char buf[MAX_PATH] = {};
    if (!absolute || !SHGetPathFromIDListA(absolute, buf)) return "";
    return buf;
}

int SmallIcon(LPCITEMIDLIST absolute, bool open) {
    SHFILEINFOA info{};
    UINT flags = SHGFI_PIDL | SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    if (!SHGetFileInfoA(reinterpret_cast<LPCSTR>(absolute), 0, &info, sizeof info, flags)) return 0;
    return info.iIcon;
}

HIMAGELIST SmallImageList() {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, MAX_PATH);
    SHFILEINFOA info{};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA(folder, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

} // namespace shell
