#include "test_archives.h"

#include <windows.h>

#include <archive.h>
#include <archive_entry.h>
#include <zlib.h>

#include <cstdlib>
#include <ctime>

namespace {

std::wstring Widen(const std::string& s) {
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

void Put16(std::string& s, unsigned v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& s, unsigned long v) {
    Put16(s, v & 0xFFFF);
    Put16(s, (v >> 16) & 0xFFFF);
}

unsigned Crc16(const std::string& data) {
    unsigned crc = 0;
    for (unsigned char c : data) {
        crc ^= c;
        for (int i = 0; i < 8; ++i)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc & 0xFFFF;
}

const unsigned kDosTime = (12 << 11) | (34 << 5) | 28; // 12:34:56
const unsigned kDosDate = (44 << 9) | (5 << 5) | 6;    // 2024-05-06

// Stored LZH, level-0 headers.
std::string MakeLzh(const std::vector<TestMember>& members) {
    std::string out;
    for (const TestMember& m : members) {
        std::string h;
        h += m.folder ? "-lhd-" : "-lh0-";
        const std::string data = m.folder ? std::string() : m.data;
        Put32(h, data.size());
        Put32(h, data.size());
        Put16(h, kDosTime);
        Put16(h, kDosDate);
        h += static_cast<char>(m.folder ? 0x10 : 0x20);
        h += static_cast<char>(0); // level
        h += static_cast<char>(m.name.size());
        h += m.name;
        Put16(h, Crc16(data));
        unsigned sum = 0;
        for (unsigned char c : h)
            sum += c;
        out += static_cast<char>(h.size());
        out += static_cast<char>(sum & 0xFF);
        out += h;
        out += data;
    }
    out += '\0';
    return out;
}

// Uncompressed CAB: one folder, all files in it.
std::string MakeCab(const std::vector<TestMember>& members) {
    std::string files, data;
    unsigned long offset = 0;
    int count = 0;
    for (const TestMember& m : members) {
        if (m.folder) continue;
        Put32(files, m.data.size());
        Put32(files, offset);
        Put16(files, 0);
        Put16(files, kDosDate);
        Put16(files, kDosTime);
        Put16(files, 0x20);
        files += m.name;
        files += '\0';
        offset += m.data.size();
        data += m.data;
        ++count;
    }
    std::string blocks;
    int nblocks = 0;
    for (std::size_t i = 0; i < data.size() || (i == 0 && nblocks == 0); i += 32768) {
        std::string chunk = data.substr(i, 32768);
        Put32(blocks, 0);
        Put16(blocks, chunk.size());
        Put16(blocks, chunk.size());
        blocks += chunk;
        ++nblocks;
        if (data.empty()) break;
    }
    const unsigned long coff_files = 36 + 8;
    const unsigned long coff_data = coff_files + files.size();
    std::string out = "MSCF";
    Put32(out, 0);
    Put32(out, coff_data + blocks.size());
    Put32(out, 0);
    Put32(out, coff_files);
    Put32(out, 0);
    out += static_cast<char>(3);
    out += static_cast<char>(1);
    Put16(out, 1);
    Put16(out, count);
    Put16(out, 0);
    Put16(out, 0x1234);
    Put16(out, 0);
    Put32(out, coff_data);
    Put16(out, nblocks);
    Put16(out, 0);
    return out + files + blocks;
}

std::string Octal(unsigned long long v, std::size_t width) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + (v & 7)));
        v >>= 3;
    } while (v != 0);
    return std::string(width - 1 - digits.size(), '0') + digits + '\0';
}

// ustar with the names' bytes as given (Shift-JIS, as Japanese Windows tar
// tools write them); libarchive's writer would turn a 0x5C trail byte into '/'.
std::string MakeTar(const std::vector<TestMember>& members, long long mtime) {
    std::string out;
    for (const TestMember& m : members) {
        std::string h(512, '\0');
        h.replace(0, m.name.size() < 100 ? m.name.size() : 100, m.name.substr(0, 100));
        h.replace(100, 8, Octal(m.folder ? 0755 : 0644, 8));
        h.replace(108, 8, Octal(0, 8));
        h.replace(116, 8, Octal(0, 8));
        h.replace(124, 12, Octal(m.folder ? 0 : m.data.size(), 12));
        h.replace(136, 12, Octal(static_cast<unsigned long long>(mtime), 12));
        h.replace(148, 8, std::string(8, ' '));
        h[156] = m.folder ? '5' : '0';
        h.replace(257, 8,
                  std::string("ustar\0"
                              "00",
                              8));
        unsigned sum = 0;
        for (unsigned char c : h)
            sum += c;
        h.replace(148, 8, Octal(sum, 7) + " ");
        out += h;
        if (!m.folder) {
            out += m.data;
            out.append((512 - m.data.size() % 512) % 512, '\0');
        }
    }
    out.append(1024, '\0');
    return out;
}

std::string Gzip(const std::string& data) {
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, data.size()) + 32, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = reinterpret_cast<Bytef*>(&out[0]);
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// RAR 2.x-4.x with stored members (method 0x30). Header CRCs are the low
// 16 bits of a CRC-32 over the header from its type byte on.
std::string RarBlock(unsigned char type, unsigned flags, const std::string& body) {
    std::string h;
    h += static_cast<char>(type);
    Put16(h, flags);
    Put16(h, 7 + body.size());
    h += body;
    const uLong crc =
        crc32(0, reinterpret_cast<const Bytef*>(h.data()), static_cast<uInt>(h.size()));
    std::string out;
    Put16(out, crc & 0xFFFF);
    return out + h;
}

std::string MakeRar(const std::vector<TestMember>& members) {
    std::string out("Rar!\x1a\x07\x00", 7);
    out += RarBlock(0x73, 0, std::string(6, '\0'));
    for (const TestMember& m : members) {
        const std::string data = m.folder ? std::string() : m.data;
        std::string name = m.name;
        if (!name.empty() && (name.back() == '\\' || name.back() == '/')) name.pop_back();
        std::string body;
        Put32(body, data.size());     // packed
        Put32(body, data.size());     // unpacked
        body += static_cast<char>(2); // Win32
        Put32(body, crc32(0, reinterpret_cast<const Bytef*>(data.data()),
                          static_cast<uInt>(data.size())));
        Put16(body, kDosTime);
        Put16(body, kDosDate);
        body += static_cast<char>(20);   // version needed
        body += static_cast<char>(0x30); // stored
        Put16(body, name.size());
        Put32(body, m.folder ? 0x10 : 0x20);
        body += name;
        // 0x8000: a data size follows; 0x00E0: a folder entry.
        out += RarBlock(0x74, 0x8000 | (m.folder ? 0x00E0 : 0), body);
        out += data;
    }
    out += RarBlock(0x7B, 0x4000, "");
    return out;
}

long long TestTime() {
    struct tm t {};
    t.tm_year = 124;
    t.tm_mon = 4;
    t.tm_mday = 6;
    t.tm_hour = 12;
    t.tm_min = 34;
    t.tm_sec = 56;
    t.tm_isdst = -1;
    return static_cast<long long>(mktime(&t)); // local time, as DOS stamps are
}

bool WriteZip(const std::string& path, const std::vector<TestMember>& members) {
    struct archive* w = archive_write_new();
    archive_write_set_format_zip(w);
    // Names go in as wide strings; store them as UTF-8 whatever the C locale.
    archive_write_set_options(w, "hdrcharset=UTF-8");
    if (archive_write_open_filename_w(w, Widen(path).c_str()) != ARCHIVE_OK) {
        archive_write_free(w);
        return false;
    }
    const time_t when = static_cast<time_t>(TestTime());
    for (const TestMember& m : members) {
        struct archive_entry* e = archive_entry_new();
        archive_entry_copy_pathname_w(e, Widen(m.name).c_str());
        archive_entry_set_filetype(e, m.folder ? AE_IFDIR : AE_IFREG);
        archive_entry_set_perm(e, m.folder ? 0755 : 0644);
        archive_entry_set_size(e, m.folder ? 0 : static_cast<la_int64_t>(m.data.size()));
        archive_entry_set_mtime(e, when, 0);
        archive_write_header(w, e);
        if (!m.folder) archive_write_data(w, m.data.data(), m.data.size());
        archive_entry_free(e);
    }
    bool ok = archive_write_close(w) == ARCHIVE_OK;
    archive_write_free(w);
    return ok;
}

} // namespace

bool WriteTestArchive(TestFormat format, const std::string& path,
                      const std::vector<TestMember>& members) {
    switch (format) {
    case TestFormat::Lzh:
        return WriteWholeFile(path, MakeLzh(members));
    case TestFormat::Cab:
        return WriteWholeFile(path, MakeCab(members));
    case TestFormat::Tar:
        return WriteWholeFile(path, MakeTar(members, TestTime()));
    case TestFormat::TarGz:
        return WriteWholeFile(path, Gzip(MakeTar(members, TestTime())));
    case TestFormat::Rar:
        return WriteWholeFile(path, MakeRar(members));
    case TestFormat::Zip:
        return WriteZip(path, members);
    }
    return false;
}

bool WriteGzipFile(const std::string& path, const std::string& data) {
    return WriteWholeFile(path, Gzip(data));
}

std::string BinFolder() {
    const char* bin = std::getenv("QM_BIN_DIR");
    std::string out = "Z:";
    for (const char* p = bin ? bin : ""; *p; ++p)
        out += *p == '/' ? '\\' : *p;
    if (out.back() != '\\') out += '\\';
    return out;
}

std::string MakeTempFolder(const std::string& tag) {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int serial = 0;
    std::string folder = std::string(base) + "qm_" + tag + "_" +
                         std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial);
    RemoveTree(folder + "\\");
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path + "\\");
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(folder.substr(0, folder.size() - 1).c_str());
}

bool ReadWholeFile(const std::string& path, std::string& data) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    data.clear();
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0)
        data.append(buf, got);
    CloseHandle(f);
    return true;
}

bool WriteWholeFile(const std::string& path, const std::string& data) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    bool ok = WriteFile(f, data.data(), static_cast<DWORD>(data.size()), &put, nullptr) &&
              put == data.size();
    CloseHandle(f);
    return ok;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
