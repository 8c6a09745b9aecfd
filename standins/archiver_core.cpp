#include "archiver_core.h"

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <exception>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "archive/archiver_progress.h"
#include "archive/dos_time.h"
#include "arj_format.h"
#include "base/sjis.h"
#include "base/strutil.h"
#include "cab_names.h"
#include "member_path.h"

namespace {

std::wstring Widen(const std::string& s) {
    if (s.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), &w[0], n);
    return w;
}

std::string Narrow(const wchar_t* w) {
    if (w == nullptr || *w == 0) return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, w, -1, nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<std::size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, w, -1, &s[0], n, nullptr, nullptr);
    s.resize(std::strlen(s.c_str()));
    return s;
}

bool FileExistsA(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExistsA(const std::string& path) {
    DWORD a = GetFileAttributesA(ExcludeTrailingBackslash(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::uint64_t UnixToFileTime(std::time_t t) {
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(t) + 11644473600LL) * 10000000ull;
}

struct ReaderDeleter {
    void operator()(struct archive* a) const { archive_read_free(a); }
};
using Reader = std::unique_ptr<struct archive, ReaderDeleter>;

// A reader for the library's format, opened on `path`; null on failure.
Reader OpenReader(StandinFormat format, const std::string& path) {
    Reader a(archive_read_new());
    switch (format) {
    case StandinFormat::Lha:
        archive_read_support_format_lha(a.get());
        break;
    case StandinFormat::Cab:
        archive_read_support_format_cab(a.get());
        break;
    case StandinFormat::Tar:
        archive_read_support_format_tar(a.get());
        archive_read_support_format_raw(a.get());
        archive_read_support_filter_gzip(a.get());
        archive_read_support_filter_compress(a.get());
        archive_read_support_filter_bzip2(a.get());
        archive_read_support_filter_xz(a.get());
        archive_read_support_filter_lzma(a.get());
        break;
    case StandinFormat::Rar:
        archive_read_support_format_rar(a.get());
        archive_read_support_format_rar5(a.get());
        break;
    case StandinFormat::Zip:
        archive_read_support_format_zip(a.get());
        break;
    case StandinFormat::SevenZip:
        archive_read_support_format_7zip(a.get());
        break;
    case StandinFormat::Arj:
        return nullptr; // read by our own reader
    }
    // Names not marked as Unicode are in the system code page.
    const std::string cp = "CP" + std::to_string(GetACP());
    archive_read_set_format_option(a.get(), nullptr, "hdrcharset", cp.c_str());
    if (archive_read_open_filename_w(a.get(), Widen(path).c_str(), 65536) != ARCHIVE_OK)
        return nullptr;
    return a;
}

bool HeaderOk(int r) {
    return r == ARCHIVE_OK || r == ARCHIVE_WARN;
}

// A lone compressed file is one member named after the archive.
bool IsRawFormat(struct archive* a) {
    return (archive_format(a) & ARCHIVE_FORMAT_BASE_MASK) == ARCHIVE_FORMAT_RAW;
}

// What libarchive does not tell of a ZIP member: its stored size, and its
// name's bytes as written.
struct ZipCentralEntry {
    std::uint32_t packed = 0;
    std::string raw_name;
    bool utf8_flag = false; // general-purpose bit 11
};

std::vector<ZipCentralEntry> ZipCentralEntries(const std::string& path);

// Names the entries of one reading, one after another. A CAB name that
// libarchive could not decode (flagged UTF-8, written in Shift-JIS) is
// taken from the cabinet's own file headers, as written.
class EntryNamer {
public:
    EntryNamer(StandinFormat format, const std::string& archive)
        : format_(format), archive_(archive) {}

    // "tar -c ." names every member "./...": the leading "./" says nothing,
    // and a folder named "." would head the member tree.
    std::string Next(struct archive* a, struct archive_entry* e) {
        std::string name = Name(a, e);
        while (name.size() >= 2 && name[0] == '.' && (name[1] == '/' || name[1] == '\\'))
            name.erase(0, 2);
        return name == "." ? std::string() : name;
    }

private:
    std::string Name(struct archive* a, struct archive_entry* e) {
        const std::size_t index = index_++;
        if (IsRawFormat(a)) {
            std::string name = ExtractFileName(archive_);
            const std::string upper = SjisUpperCase(ExtractFileExt(name));
            if (upper == ".TGZ" || upper == ".TAZ") return ChangeFileExt(name, ".tar");
            if (upper == ".TBZ" || upper == ".TXZ") return ChangeFileExt(name, ".tar");
            return ChangeFileExt(name, "");
        }
        if (format_ == StandinFormat::Zip) {
            std::string name;
            if (ZipUtf8Name(index, name)) return name;
        }
        const wchar_t* w = archive_entry_pathname_w(e);
        if (w != nullptr && *w != 0) return Narrow(w);
        const char* p = archive_entry_pathname(e);
        if (p != nullptr && *p != 0) return p;
        return format_ == StandinFormat::Cab ? CabName(index) : std::string();
    }

    std::string CabName(std::size_t index);
public:
    // The ZIP's central directory, read once for the whole listing.
    const std::vector<ZipCentralEntry>& ZipEntries() {
        if (!zip_read_) {
            zip_entries_ = ZipCentralEntries(archive_);
            zip_read_ = true;
        }
        return zip_entries_;
    }

private:
    // Zip tools on Linux and macOS write UTF-8 names without the UTF-8
    // flag. A name not flagged whose bytes are UTF-8 with characters beyond
    // ASCII is taken as UTF-8: Shift-JIS text is almost never valid UTF-8.
    bool ZipUtf8Name(std::size_t index, std::string& name);
    bool zip_read_ = false;
    std::vector<ZipCentralEntry> zip_entries_;

    StandinFormat format_;
    const std::string& archive_;
    std::size_t index_ = 0;
    bool cab_read_ = false;
    std::vector<std::string> cab_names_;
};

// Raw input is only an archive when a compression filter was found.
bool AcceptableReader(struct archive* a) {
    return !IsRawFormat(a) || archive_filter_count(a) > 1;
}

// One member as listed. Kept compact, and the record filled from it only
// when a caller asks for the member: a listing of many thousands is then
// small to keep, and shared by every handle opened on it.
struct Member {
    std::string path;
    std::string attribute_text;
    std::string method;
    std::uint64_t size = 0;
    std::uint64_t packed = 0;
    std::uint32_t crc = 0;
    std::uint32_t flag = 0;
    std::uint32_t os_type = 0;
    std::uint16_t date = 0;
    std::uint16_t time = 0;
    int attribute = 0;
};

struct Listing {
    std::vector<Member> members;
    bool complete = false;
    // The archive's own headers are encrypted: nothing can be listed
    // without the password.
    bool headers_encrypted = false;
};
using SharedListing = std::shared_ptr<const Listing>;

struct OpenArchiveState {
    SharedListing listing;
    std::size_t next = 0;
    std::string pattern;
    const Member* last = nullptr;
};

// A size the record's 32 bits cannot hold reads as the largest it can,
// never as what is left after the high bits are cut off.
std::uint32_t RecordSize(std::int64_t size) {
    if (size <= 0) return 0;
    return size > 0xFFFFFFFFll ? 0xFFFFFFFFu : static_cast<std::uint32_t>(size);
}

// A member's time as the record keeps it: local date << 16 | local time.
// Members of one archive mostly share a handful of times, and the local
// conversion asks the system for the time zone on every call (a server
// round trip under Wine), so the last answer is kept.
std::uint32_t LocalDosStamp(std::time_t t) {
    static std::mutex mutex;
    static std::time_t last_time = 0;
    static std::uint32_t last_stamp = 0;
    static bool known = false;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (known && last_time == t) return last_stamp;
    }
    FILETIME utc, local;
    const std::uint64_t ft = UnixToFileTime(t);
    utc.dwLowDateTime = static_cast<DWORD>(ft);
    utc.dwHighDateTime = static_cast<DWORD>(ft >> 32);
    WORD date = 0, time = 0;
    if (FileTimeToLocalFileTime(&utc, &local)) FileTimeToDosDateTime(&local, &date, &time);
    const std::uint32_t stamp = (static_cast<std::uint32_t>(date) << 16) | time;
    std::lock_guard<std::mutex> lock(mutex);
    last_time = t;
    last_stamp = stamp;
    known = true;
    return stamp;
}

std::uint16_t RatioOf(std::uint64_t packed, std::uint64_t size) {
    if (size == 0) return 0;
    return static_cast<std::uint16_t>(std::min<std::uint64_t>(65535, packed * 1000 / size));
}

// The record the libraries hand out for a member.
void FillRecord(const Member& m, IndividualInfo& info) {
    std::memset(info.bytes, 0, sizeof info.bytes);
    info.SetMemberPath(m.path);
    info.SetUnpackedSize(RecordSize(static_cast<std::int64_t>(m.size)));
    info.SetCompressedSize(RecordSize(static_cast<std::int64_t>(m.packed)));
    info.SetRatio(RatioOf(m.packed, m.size));
    info.SetCrc(m.crc);
    info.SetFlag(m.flag);
    info.SetOsType(m.os_type);
    info.SetDosDate(m.date);
    info.SetDosTime(m.time);
    info.SetAttributeText(m.attribute_text);
    info.SetMethod(m.method);
}

Member EntryMember(struct archive_entry* e, std::string path, std::int64_t packed,
                   const std::string& method) {
    Member m;
    const bool dir = archive_entry_filetype(e) == AE_IFDIR;
    if (dir && !path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
    m.path = std::move(path);
    const std::int64_t size = archive_entry_size_is_set(e) ? archive_entry_size(e) : 0;
    m.size = size > 0 ? static_cast<std::uint64_t>(size) : 0;
    m.packed = packed > 0 ? static_cast<std::uint64_t>(packed) : 0;
    if (archive_entry_is_data_encrypted(e) || archive_entry_is_metadata_encrypted(e))
        m.flag = kStandinFlagEncrypted;
    const std::uint32_t stamp = LocalDosStamp(archive_entry_mtime(e));
    m.date = static_cast<std::uint16_t>(stamp >> 16);
    m.time = static_cast<std::uint16_t>(stamp);
    const bool read_only = (archive_entry_perm(e) & 0222) == 0;
    m.attribute = dir ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (read_only) m.attribute |= FILE_ATTRIBUTE_READONLY;
    m.attribute_text = dir ? "----" : "A---";
    if (read_only) m.attribute_text[3] = 'R';
    m.method = method;
    return m;
}

std::uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
unsigned Le16(const unsigned char* p) {
    return p[0] | (p[1] << 8);
}

// The central directory's entries in local-header order, the order members
// are read in; empty when the directory cannot be found.
std::vector<ZipCentralEntry> ZipCentralEntries(const std::string& path) {
    std::vector<ZipCentralEntry> sizes;
    HANDLE f = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return sizes;
    auto read_at = [f](std::uint64_t at, std::string& buf, std::size_t n) {
        LARGE_INTEGER pos;
        pos.QuadPart = static_cast<LONGLONG>(at);
        buf.assign(n, '\0');
        DWORD got = 0;
        return SetFilePointerEx(f, pos, nullptr, FILE_BEGIN) &&
               ReadFile(f, &buf[0], static_cast<DWORD>(n), &got, nullptr) && got == n;
    };
    LARGE_INTEGER size;
    std::string tail, dir;
    if (GetFileSizeEx(f, &size) && size.QuadPart >= 22) {
        const std::uint64_t file_size = static_cast<std::uint64_t>(size.QuadPart);
        const std::size_t n = file_size < 65557 ? static_cast<std::size_t>(file_size) : 65557;
        if (read_at(file_size - n, tail, n)) {
            const auto* t = reinterpret_cast<const unsigned char*>(tail.data());
            for (std::size_t i = n - 22 + 1; i-- > 0;) {
                if (Le32(t + i) != 0x06054b50) continue;
                const std::uint32_t dir_size = Le32(t + i + 12), dir_offset = Le32(t + i + 16);
                // A self-extracting program shifts every offset by its stub.
                const std::uint64_t eocd = file_size - n + i;
                if (dir_size > eocd || dir_size > (64u << 20)) break;
                const std::uint64_t shift = eocd - dir_size - dir_offset;
                if (!read_at(eocd - dir_size, dir, dir_size)) break;
                const auto* d = reinterpret_cast<const unsigned char*>(dir.data());
                std::vector<std::pair<std::uint64_t, ZipCentralEntry>> entries;
                for (std::size_t p = 0; p + 46 <= dir.size() && Le32(d + p) == 0x02014b50;) {
                    ZipCentralEntry e;
                    const std::uint32_t packed = Le32(d + p + 20);
                    e.packed = packed == 0xFFFFFFFFu ? 0 : packed;
                    e.utf8_flag = (Le16(d + p + 8) & 0x0800) != 0;
                    const std::size_t name_len = Le16(d + p + 28);
                    if (p + 46 + name_len <= dir.size())
                        e.raw_name.assign(dir, p + 46, name_len);
                    entries.emplace_back(Le32(d + p + 42) + shift, std::move(e));
                    p += 46 + name_len + Le16(d + p + 30) + Le16(d + p + 32);
                }
                std::stable_sort(entries.begin(), entries.end(),
                                 [](const auto& a, const auto& b) { return a.first < b.first; });
                for (auto& e : entries)
                    sizes.push_back(std::move(e.second));
                break;
            }
        }
    }
    CloseHandle(f);
    return sizes;
}

class ArjFileSource : public ArjSource {
public:
    explicit ArjFileSource(const std::string& path)
        : file_(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr)) {
        LARGE_INTEGER size;
        if (file_ != INVALID_HANDLE_VALUE && GetFileSizeEx(file_, &size))
            size_ = static_cast<std::uint64_t>(size.QuadPart);
    }
    ~ArjFileSource() override {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    ArjFileSource(const ArjFileSource&) = delete;
    ArjFileSource& operator=(const ArjFileSource&) = delete;
    bool IsOpen() const { return file_ != INVALID_HANDLE_VALUE; }
    std::uint64_t Size() override { return size_; }
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t size) override {
        LARGE_INTEGER pos;
        pos.QuadPart = static_cast<LONGLONG>(offset);
        if (!IsOpen() || offset >= size_ || !SetFilePointerEx(file_, pos, nullptr, FILE_BEGIN))
            return 0;
        auto* p = static_cast<char*>(buffer);
        std::size_t done = 0;
        DWORD got = 0;
        while (done < size && ReadFile(file_, p + done, static_cast<DWORD>(size - done), &got,
                                       nullptr) &&
               got > 0)
            done += got;
        return done;
    }

private:
    HANDLE file_;
    std::uint64_t size_ = 0;
};

bool EntryNamer::ZipUtf8Name(std::size_t index, std::string& name) {
    const std::vector<ZipCentralEntry>& entries = ZipEntries();
    if (index >= entries.size()) return false;
    const ZipCentralEntry& z = entries[index];
    if (z.utf8_flag || !IsValidUtf8(z.raw_name)) return false;
    if (std::none_of(z.raw_name.begin(), z.raw_name.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return false;
    const int n = MultiByteToWideChar(CP_UTF8, 0, z.raw_name.data(),
                                      static_cast<int>(z.raw_name.size()), nullptr, 0);
    if (n <= 0) return false;
    std::wstring w(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, z.raw_name.data(), static_cast<int>(z.raw_name.size()), &w[0], n);
    name = Narrow(w.c_str());
    return !name.empty();
}

std::string EntryNamer::CabName(std::size_t index) {
    if (!cab_read_) {
        ArjFileSource source(archive_);
        if (source.IsOpen()) cab_names_ = ReadCabMemberNames(source);
        cab_read_ = true;
    }
    if (index >= cab_names_.size()) return std::string();
    // Folders are separated by '\' in the header, never by a trail byte.
    std::string name = cab_names_[index];
    for (std::size_t i = 0; i < name.size(); i += SjisCharLength(name, i))
        if (name[i] == '\\') name[i] = '/';
    return name;
}

bool IsArjFolder(const ArjMember& m) {
    return m.file_type == kArjTypeFolder;
}

// The member's name with a trailing '/' for a folder, which the caller
// drops from the listing like the other formats' folder entries.
std::string ArjEntryPath(const ArjMember& m) {
    std::string path = m.name;
    if (IsArjFolder(m) && !path.empty() && path.back() != '/' &&
        !(path.back() == '\\' && !IsSjisTrailPosition(path, path.size() - 1)))
        path += '/';
    return path;
}

Member ArjEntryMember(const ArjMember& arj) {
    Member m;
    m.path = ArjEntryPath(arj);
    m.size = arj.original_size;
    m.packed = arj.packed_size;
    m.crc = arj.crc;
    m.flag = arj.flags;
    m.os_type = arj.host_os;
    m.date = arj.dos_date;
    m.time = arj.dos_time;
    // Other hosts keep Unix-style modes: read-only when nobody may write.
    std::uint32_t dos = FILE_ATTRIBUTE_ARCHIVE;
    if (ArjHostUsesDosAttributes(arj.host_os))
        dos = arj.access_mode & (FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_SYSTEM |
                                 FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    else if ((arj.access_mode & 0222) == 0)
        dos |= FILE_ATTRIBUTE_READONLY;
    std::string text = "----";
    if (dos & FILE_ATTRIBUTE_ARCHIVE) text[0] = 'A';
    if (dos & FILE_ATTRIBUTE_SYSTEM) text[1] = 'S';
    if (dos & FILE_ATTRIBUTE_HIDDEN) text[2] = 'H';
    if (dos & FILE_ATTRIBUTE_READONLY) text[3] = 'R';
    m.attribute_text = text;
    m.attribute = IsArjFolder(arj) ? FILE_ATTRIBUTE_DIRECTORY : static_cast<int>(dos);
    m.method = arj.method == 0 ? std::string("Stored") : "Method" + std::to_string(arj.method);
    return m;
}

std::shared_ptr<Listing> ReadArjMembers(const std::string& path) {
    ArjFileSource source(path);
    if (!source.IsOpen()) return nullptr;
    const ArjListing arj_listing = ReadArjListing(source);
    if (arj_listing.status == ArjStatus::NotArj) return nullptr;
    auto listing = std::make_shared<Listing>();
    for (const ArjMember& arj : arj_listing.members) {
        if (arj.file_type == kArjTypeLabel) continue;
        listing->members.push_back(ArjEntryMember(arj));
    }
    listing->complete = arj_listing.status == ArjStatus::Ok;
    if (!listing->complete && listing->members.empty()) return nullptr;
    return listing;
}

// Every member of the archive; null when it cannot be read at all.
std::shared_ptr<Listing> ReadAllMembers(StandinFormat format, const std::string& path) {
    if (format == StandinFormat::Arj) return ReadArjMembers(path);
    auto listing = std::make_shared<Listing>();
    std::vector<Member>& out = listing->members;
    Reader a = OpenReader(format, path);
    if (!a) return nullptr;
    EntryNamer namer(format, path);
    struct archive_entry* e = nullptr;
    int r;
    bool first = true;
    std::string method;
    while (HeaderOk(r = archive_read_next_header(a.get(), &e))) {
        if (first && !AcceptableReader(a.get())) return nullptr;
        if (first) {
            const char* fmt = archive_format_name(a.get());
            method = fmt ? std::string(fmt).substr(0, 7) : std::string();
        }
        first = false;
        if (IsRawFormat(a.get())) {
            // A lone compressed file has no header that tells its size: count it.
            char buf[65536];
            la_ssize_t got;
            la_int64_t total = 0;
            while ((got = archive_read_data(a.get(), buf, sizeof buf)) > 0)
                total += got;
            archive_entry_set_size(e, total);
            out.push_back(
                EntryMember(e, namer.Next(a.get(), e), archive_filter_bytes(a.get(), -1), method));
            if (got < 0) return listing;
            continue;
        }
        const std::int64_t start = archive_filter_bytes(a.get(), 0);
        // Skipping the data tells how much of the archive it took.
        int skip = archive_read_data_skip(a.get());
        const std::int64_t packed = archive_filter_bytes(a.get(), 0) - start;
        // TAR stores members as they are; a compressed TAR is compressed as a
        // whole. 7z compresses blocks of members, so a member has no size of
        // its own there (like a CAB's).
        std::int64_t own = packed;
        if (format == StandinFormat::Tar) own = archive_entry_size(e);
        if (format == StandinFormat::SevenZip) own = 0;
        out.push_back(EntryMember(e, namer.Next(a.get(), e), own, method));
        if (skip != ARCHIVE_OK && skip != ARCHIVE_WARN)
            return out.empty() ? nullptr : listing;
    }
    listing->complete = r == ARCHIVE_EOF;
    // A 7z whose headers are encrypted fails on its first header, having
    // told that it is encrypted: an archive all the same, one we cannot list.
    if (first && r != ARCHIVE_EOF && archive_read_has_encrypted_entries(a.get()) > 0)
        listing->headers_encrypted = true;
    if (format == StandinFormat::Zip) {
        const std::vector<ZipCentralEntry>& central = namer.ZipEntries();
        if (central.size() == out.size()) {
            for (std::size_t i = 0; i < out.size(); ++i)
                out[i].packed = central[i].packed;
        }
    }
    if (!listing->complete && out.empty() && !listing->headers_encrypted) return nullptr;
    return listing;
}

// The listing read last. A caller asks GetFileCount and then OpenArchive
// for one listing; the second is answered from here while the file is
// unchanged (same size and last-write time), so a big archive is read once.
class ListingCache {
public:
    SharedListing Read(StandinFormat format, const std::string& path) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data))
            return ReadAllMembers(format, path);
        const std::uint64_t size =
            (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        const std::uint64_t stamp =
            (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
            data.ftLastWriteTime.dwLowDateTime;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (listing_ && format == format_ && path == path_ && size == size_ &&
                stamp == stamp_)
                return listing_;
        }
        SharedListing listing = ReadAllMembers(format, path);
        if (!listing) return nullptr;
        std::lock_guard<std::mutex> lock(mutex_);
        format_ = format;
        path_ = path;
        size_ = size;
        stamp_ = stamp;
        listing_ = listing;
        return listing;
    }

private:
    std::mutex mutex_;
    StandinFormat format_ = StandinFormat::Zip;
    std::string path_;
    std::uint64_t size_ = 0, stamp_ = 0;
    SharedListing listing_;
};

ListingCache g_listing;

bool CreateFolders(const std::string& dest, const std::string& relative) {
    std::string path = dest;
    std::vector<std::string> parts = SplitMemberPath(relative);
    for (const std::string& part : parts) {
        path += part;
        if (!DirectoryExistsA(path) && !CreateDirectoryA(path.c_str(), nullptr)) return false;
        path += '\\';
    }
    return true;
}

void Log(std::string& log, const std::string& line) {
    log += line + "\r\n";
}

void CopyLog(const std::string& log, LPSTR output, DWORD size) {
    if (output == nullptr || size == 0) return;
    std::size_t n = log.size() < size - 1 ? log.size() : size - 1;
    std::memcpy(output, log.data(), n);
    output[n] = '\0';
}

class RunningFlag {
public:
    explicit RunningFlag(std::atomic<bool>& flag) : flag_(flag) { flag_ = true; }
    ~RunningFlag() { flag_ = false; }

private:
    std::atomic<bool>& flag_;
};

bool ReadTextFile(const std::string& path, std::string& text) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    char buf[4096];
    DWORD got = 0;
    text.clear();
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0)
        text.append(buf, got);
    CloseHandle(f);
    return true;
}

} // namespace

BOOL ArchiverCore::CheckArchive(LPCSTR path, int /*mode*/) {
    if (path == nullptr) return FALSE;
    if (format_ == StandinFormat::Arj) {
        ArjFileSource source(path);
        return source.IsOpen() && ReadArjListing(source).status != ArjStatus::NotArj;
    }
    // These formats read their whole directory before the first member
    // anyway: the check lists the archive once, and the count and the
    // listing that follow are answered from it.
    if (format_ == StandinFormat::SevenZip || format_ == StandinFormat::Zip) {
        const SharedListing listing = g_listing.Read(format_, path);
        return listing && (!listing->members.empty() || listing->headers_encrypted) ? TRUE
                                                                                     : FALSE;
    }
    Reader a = OpenReader(format_, path);
    if (!a) return FALSE;
    struct archive_entry* e = nullptr;
    return HeaderOk(archive_read_next_header(a.get(), &e)) && AcceptableReader(a.get()) ? TRUE
                                                                                        : FALSE;
}

int ArchiverCore::GetFileCount(LPCSTR path) {
    if (path == nullptr) return -1;
    const SharedListing listing = g_listing.Read(format_, path);
    if (!listing || listing->headers_encrypted) return -1;
    return static_cast<int>(listing->members.size());
}

BOOL ArchiverCore::SetOwnerWindowEx(HWND wnd, ArchiverProc proc) {
    owner_ = wnd;
    owner_proc_ = proc;
    return TRUE;
}

BOOL ArchiverCore::KillOwnerWindowEx(HWND wnd) {
    if (wnd != owner_) return FALSE;
    owner_ = nullptr;
    owner_proc_ = nullptr;
    return TRUE;
}

HANDLE ArchiverCore::OpenArchive(HWND, LPCSTR path, DWORD) {
    if (path == nullptr) return nullptr;
    auto state = std::make_unique<OpenArchiveState>();
    state->listing = g_listing.Read(format_, path);
    if (!state->listing) return nullptr;
    return reinterpret_cast<HANDLE>(state.release());
}

int ArchiverCore::CloseArchive(HANDLE h) {
    if (h == nullptr) return -1;
    delete reinterpret_cast<OpenArchiveState*>(h);
    return 0;
}

int ArchiverCore::FindFirst(HANDLE h, LPCSTR wildcard, IndividualInfo* info) {
    if (h == nullptr) return -1;
    auto* s = reinterpret_cast<OpenArchiveState*>(h);
    s->next = 0;
    s->pattern = wildcard && *wildcard ? wildcard : "*.*";
    if (s->listing->headers_encrypted) {
        s->last = nullptr;
        return kArcErrorEncrypted;
    }
    return FindNext(h, info);
}

int ArchiverCore::FindNext(HANDLE h, IndividualInfo* info) {
    if (h == nullptr || info == nullptr) return -1;
    auto* s = reinterpret_cast<OpenArchiveState*>(h);
    const std::vector<Member>& members = s->listing->members;
    while (s->next < members.size()) {
        const Member& m = members[s->next++];
        if (MatchMemberPattern(s->pattern, m.path)) {
            FillRecord(m, *info);
            s->last = &m;
            return 0;
        }
    }
    s->last = nullptr;
    return -1;
}

int ArchiverCore::GetAttribute(HANDLE h) {
    if (h == nullptr) return -1;
    const Member* m = reinterpret_cast<OpenArchiveState*>(h)->last;
    return m ? m->attribute : -1;
}

BOOL ArchiverCore::GetOriginalSizeEx(HANDLE h, std::int64_t* size) {
    const Member* m = h ? reinterpret_cast<OpenArchiveState*>(h)->last : nullptr;
    if (m == nullptr || size == nullptr) return FALSE;
    *size = static_cast<std::int64_t>(m->size);
    return TRUE;
}

BOOL ArchiverCore::GetCompressedSizeEx(HANDLE h, std::int64_t* size) {
    const Member* m = h ? reinterpret_cast<OpenArchiveState*>(h)->last : nullptr;
    if (m == nullptr || size == nullptr) return FALSE;
    *size = static_cast<std::int64_t>(m->packed);
    return TRUE;
}

int ArchiverCore::ArchiveSubType(LPCSTR path) {
    if (path == nullptr) return 0;
    Reader a = OpenReader(format_, path);
    struct archive_entry* e = nullptr;
    if (!a || !HeaderOk(archive_read_next_header(a.get(), &e)) || !AcceptableReader(a.get()))
        return 0;
    const bool raw = IsRawFormat(a.get());
    switch (archive_filter_code(a.get(), 0)) {
    case ARCHIVE_FILTER_NONE:
        return 1;
    case ARCHIVE_FILTER_GZIP:
        return raw ? 5 : 2;
    case ARCHIVE_FILTER_COMPRESS:
        return raw ? 6 : 3;
    case ARCHIVE_FILTER_BZIP2:
        return raw ? 7 : 4;
    case ARCHIVE_FILTER_XZ:
        return raw ? 9 : 8;
    case ARCHIVE_FILTER_LZMA:
        return raw ? 11 : 10;
    default:
        return 0;
    }
}

int ArchiverCore::Command(HWND, LPCSTR command_line, LPSTR output, DWORD size) {
    if (running_.load()) return kStandinErrorBusy;
    RunningFlag running(running_);
    std::string log;
    int result;
    static const CommandDialect kDialects[] = {CommandDialect::Lha, CommandDialect::Cab,
                                               CommandDialect::Tar, CommandDialect::Rar,
                                               CommandDialect::Zip, CommandDialect::Arj,
                                               CommandDialect::SevenZip};
    ExtractRequest request;
    if (command_line == nullptr ||
        !ParseExtractCommand(kDialects[static_cast<int>(format_)], command_line, request)) {
        Log(log, "unknown command");
        result = kStandinErrorCommand;
    } else {
        // Nothing may escape into the caller, which is not C++.
        try {
            result = Extract(request, log);
        } catch (const std::exception& e) {
            Log(log, std::string("failed: ") + e.what());
            result = kStandinErrorArchive;
        }
    }
    CopyLog(log, output, size);
    return result;
}

// The requested names, plain ones looked up by key: a long list against a
// big archive must not cost names x members comparisons.
class MemberSelector {
public:
    explicit MemberSelector(const std::vector<std::string>& names)
        : names_(names), matched_(names.size(), false) {
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (HasWildcard(names_[i]))
                patterns_.push_back(i);
            else
                plain_.emplace(MemberMatchKey(names_[i]), i);
        }
    }
    bool Wanted(const std::string& path) {
        bool wanted = names_.empty();
        auto range = plain_.equal_range(MemberMatchKey(path));
        for (auto it = range.first; it != range.second; ++it) {
            matched_[it->second] = true;
            wanted = true;
        }
        for (std::size_t i : patterns_) {
            if (MatchMemberPattern(names_[i], path)) {
                matched_[i] = true;
                wanted = true;
            }
        }
        return wanted;
    }
    // Every name asked for was a plain one and has been found.
    bool AllFound() const {
        return !names_.empty() && patterns_.empty() &&
               std::all_of(matched_.begin(), matched_.end(), [](bool b) { return b; });
    }
    // Logs the names no member matched; the result for them.
    int ReportUnmatched(std::string& log) const {
        int result = 0;
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (!matched_[i]) {
                Log(log, "not found: " + names_[i]);
                result = kStandinErrorNoMatch;
            }
        }
        return result;
    }

private:
    const std::vector<std::string>& names_;
    std::vector<bool> matched_;
    std::unordered_multimap<std::string, std::size_t> plain_;
    std::vector<std::size_t> patterns_;
};

int ArchiverCore::Extract(const ExtractRequest& request, std::string& log) {
    if (request.dest_folder.empty() || !DirectoryExistsA(request.dest_folder)) {
        Log(log, "destination folder not found: " + request.dest_folder);
        return kStandinErrorDestination;
    }
    const std::string dest = IncludeTrailingBackslash(request.dest_folder);
    std::vector<std::string> names = request.names;
    if (!request.response_file.empty()) {
        std::string text;
        if (!ReadTextFile(request.response_file, text)) {
            Log(log, "response file not found: " + request.response_file);
            return kStandinErrorCommand;
        }
        for (const std::string& n : ResponseFileNames(text))
            names.push_back(n);
    }
    MemberSelector selector(names);
    int result = format_ == StandinFormat::Arj ? ExtractArj(request, dest, selector, log)
                                               : ExtractLibarchive(request, dest, selector, log);
    if (result == kStandinErrorCancelled) return result;
    const int unmatched = selector.ReportUnmatched(log);
    return result != 0 ? result : unmatched;
}

int ArchiverCore::ExtractLibarchive(const ExtractRequest& request, const std::string& dest,
                                    MemberSelector& selector, std::string& log) {
    Reader a = OpenReader(format_, request.archive);
    if (!a) {
        Log(log, "cannot open " + request.archive);
        return kStandinErrorArchive;
    }
    int result = 0;
    EntryNamer namer(format_, request.archive);
    struct archive_entry* e = nullptr;
    int r;
    bool first = true;
    while (HeaderOk(r = archive_read_next_header(a.get(), &e))) {
        if (first && !AcceptableReader(a.get())) return kStandinErrorArchive;
        first = false;
        StandinEntry entry;
        entry.path = namer.Next(a.get(), e);
        if (!selector.Wanted(entry.path)) continue;
        // Without its password an encrypted member would come out as noise.
        if (archive_entry_is_data_encrypted(e)) {
            Log(log, "encrypted: " + entry.path);
            if (result == 0) result = kStandinErrorEncrypted;
            continue;
        }
        entry.folder = archive_entry_filetype(e) == AE_IFDIR;
        // Links and devices are never written: a link could point anywhere.
        entry.writable = archive_entry_filetype(e) == AE_IFREG && archive_entry_hardlink(e) == nullptr;
        entry.size = archive_entry_size_is_set(e) && archive_entry_size(e) > 0
                         ? static_cast<std::uint64_t>(archive_entry_size(e))
                         : 0;
        entry.file_time = UnixToFileTime(archive_entry_mtime(e));
        std::string damage;
        const int written = WriteEntry(request, dest, entry, log, [&](char* buf, std::size_t n) {
            const la_ssize_t got = archive_read_data(a.get(), buf, n);
            if (got < 0 && archive_error_string(a.get())) damage = archive_error_string(a.get());
            return static_cast<long>(got);
        });
        if (written == kStandinErrorCancelled) return written;
        if (written != 0 && result == 0) result = written;
        if (written == kStandinErrorArchive)
            Log(log, "damaged member " + entry.path + ": " + damage);
        // Reading on would only skip the rest, and skipping an encrypted 7z
        // block means decoding it, which cannot be done.
        if (selector.AllFound()) return result;
    }
    if (first && r != ARCHIVE_EOF && archive_read_has_encrypted_entries(a.get()) > 0) {
        Log(log, "encrypted: " + request.archive);
        return kStandinErrorEncrypted;
    }
    if (r != ARCHIVE_EOF) {
        Log(log, "archive is damaged");
        if (result == 0) result = kStandinErrorArchive;
    }
    return result;
}

int ArchiverCore::ExtractArj(const ExtractRequest& request, const std::string& dest,
                             MemberSelector& selector, std::string& log) {
    ArjFileSource source(request.archive);
    const ArjListing listing = ReadArjListing(source);
    if (!source.IsOpen() || listing.status == ArjStatus::NotArj) {
        Log(log, "cannot open " + request.archive);
        return kStandinErrorArchive;
    }
    int result = 0;
    for (const ArjMember& arj : listing.members) {
        if (arj.file_type == kArjTypeLabel) continue;
        StandinEntry entry;
        entry.path = ArjEntryPath(arj);
        if (!selector.Wanted(entry.path)) continue;
        if (MemberOutputPath(entry.path, request.junk_paths).empty()) {
            Log(log, "refused member name: " + entry.path);
            if (result == 0) result = kStandinErrorUnsafeName;
            continue;
        }
        entry.folder = IsArjFolder(arj);
        entry.size = arj.original_size;
        FILETIME local, utc;
        const std::uint64_t stamp = DosDateTimeToFileTime(arj.dos_date, arj.dos_time);
        local.dwLowDateTime = static_cast<DWORD>(stamp);
        local.dwHighDateTime = static_cast<DWORD>(stamp >> 32);
        if (LocalFileTimeToFileTime(&local, &utc))
            entry.file_time = (static_cast<std::uint64_t>(utc.dwHighDateTime) << 32) |
                              utc.dwLowDateTime;
        std::string data;
        ArjDecodeStatus decoded = ArjDecodeStatus::Ok;
        if (!entry.folder && !(arj.flags & (kArjFlagVolume | kArjFlagExtFile)))
            decoded = DecodeArjMember(source, arj, data);
        else if (!entry.folder)
            decoded = ArjDecodeStatus::Unsupported; // a piece of a multi-volume member
        if (decoded != ArjDecodeStatus::Ok) {
            static const char* const kWhy[] = {"",          "unknown method", "encrypted",
                                               "damaged",   "CRC error",      "read error",
                                               "too large"};
            Log(log, std::string(kWhy[static_cast<int>(decoded)]) + ": " + entry.path);
            if (result == 0) result = kStandinErrorArchive;
            continue;
        }
        std::size_t at = 0;
        const int written = WriteEntry(request, dest, entry, log, [&](char* buf, std::size_t n) {
            n = std::min(n, data.size() - at);
            std::memcpy(buf, data.data() + at, n);
            at += n;
            return static_cast<long>(n);
        });
        if (written == kStandinErrorCancelled) return written;
        if (written != 0 && result == 0) result = written;
    }
    if (listing.status != ArjStatus::Ok) {
        Log(log, "archive is damaged");
        if (result == 0) result = kStandinErrorArchive;
    }
    return result;
}

int ArchiverCore::WriteEntry(const ExtractRequest& request, const std::string& dest,
                             const StandinEntry& entry, std::string& log,
                             const std::function<long(char*, std::size_t)>& read) {
    const std::string relative = MemberOutputPath(entry.path, request.junk_paths);
    if (relative.empty()) {
        Log(log, "refused member name: " + entry.path);
        return kStandinErrorUnsafeName;
    }
    if (entry.folder) {
        if (!request.junk_paths && !CreateFolders(dest, relative)) return kStandinErrorWrite;
        return 0;
    }
    if (!entry.writable) return 0;
    // The 32-bit build's records and progress carry 32-bit sizes: a member
    // it cannot describe is refused whole rather than written under a size
    // that is not its own.
    if (sizeof(void*) < 8 && entry.size > 0xFFFFFFFFull) {
        Log(log, "too large for this build: " + entry.path);
        return kStandinErrorTooLarge;
    }
    const std::string target = dest + relative;
    if (target.compare(0, dest.size(), dest) != 0) return kStandinErrorUnsafeName;
    if (!request.junk_paths) {
        std::string folder = ExtractFilePath(relative);
        if (!folder.empty() && !CreateFolders(dest, folder)) {
            Log(log, "cannot create folder for " + relative);
            return kStandinErrorWrite;
        }
    }
    DWORD existing = GetFileAttributesA(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES) {
        if ((existing & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ||
            !request.overwrite) {
            Log(log, "kept existing " + relative);
            return 0;
        }
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    const UINT message = RegisterWindowMessageA(kArchiverProgressMessageName);
    ArchiverProgressInfo progress{};
    progress.file_size = RecordSize(static_cast<std::int64_t>(entry.size));
    std::strncpy(progress.source_name, entry.path.c_str(), sizeof progress.source_name - 1);
    std::strncpy(progress.dest_name, target.c_str(), sizeof progress.dest_name - 1);
    if (owner_proc_ && !owner_proc_(owner_, message, kArchiverProgressBegin, &progress))
        return kStandinErrorCancelled;

    HANDLE f = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        Log(log, "cannot write " + target);
        return kStandinErrorWrite;
    }
    int result = 0;
    char buf[65536];
    long got;
    while ((got = read(buf, sizeof buf)) > 0) {
        DWORD put = 0;
        if (!WriteFile(f, buf, static_cast<DWORD>(got), &put, nullptr) ||
            put != static_cast<DWORD>(got)) {
            result = kStandinErrorWrite;
            break;
        }
        progress.written = progress.written + static_cast<std::uint32_t>(got) < progress.written
                               ? 0xFFFFFFFFu
                               : progress.written + static_cast<std::uint32_t>(got);
        if (owner_proc_ && !owner_proc_(owner_, message, kArchiverProgressInFile, &progress)) {
            CloseHandle(f);
            DeleteFileA(target.c_str());
            return kStandinErrorCancelled;
        }
    }
    if (got < 0) result = kStandinErrorArchive;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(entry.file_time);
    ft.dwHighDateTime = static_cast<DWORD>(entry.file_time >> 32);
    SetFileTime(f, nullptr, nullptr, &ft);
    CloseHandle(f);
    if (result != 0) {
        // A partial file would be previewed as if it were the member.
        DeleteFileA(target.c_str());
        return result;
    }
    Log(log, "extracted " + relative);
    if (owner_proc_ && !owner_proc_(owner_, message, kArchiverProgressEnd, &progress))
        return kStandinErrorCancelled;
    return 0;
}

int ZipCreateCommand(LPCSTR command_line, LPSTR output, DWORD size) {
    std::string log;
    std::vector<CommandToken> tokens = TokenizeCommandLine(command_line ? command_line : "");
    std::string archive, base;
    std::vector<std::string> names;
    for (const CommandToken& t : tokens) {
        if (archive.empty() && !t.quoted && !t.text.empty() && t.text[0] == '-') continue;
        if (archive.empty())
            archive = t.text;
        else if (base.empty() && names.empty() && !t.text.empty() && t.text.back() == '\\')
            base = t.text;
        else if (t.text.size() > 1 && t.text[0] == '@') {
            std::string text;
            if (!ReadTextFile(t.text.substr(1), text)) {
                Log(log, "response file not found");
                CopyLog(log, output, size);
                return kStandinErrorCommand;
            }
            for (const std::string& n : ResponseFileNames(text))
                names.push_back(n);
        } else
            names.push_back(t.text);
    }
    if (archive.empty() || names.empty()) {
        Log(log, "usage: \"archive.zip\" \"base\\\" names...");
        CopyLog(log, output, size);
        return kStandinErrorCommand;
    }
    struct archive* w = archive_write_new();
    archive_write_set_format_zip(w);
    int result = 0;
    if (archive_write_open_filename_w(w, Widen(archive).c_str()) != ARCHIVE_OK) {
        archive_write_free(w);
        Log(log, "cannot create " + archive);
        CopyLog(log, output, size);
        return kStandinErrorWrite;
    }
    for (const std::string& name : names) {
        if (!IsSafeMemberPath(name)) {
            Log(log, "refused name " + name);
            result = kStandinErrorUnsafeName;
            continue;
        }
        std::string text;
        const std::string source = base + MemberOutputPath(name, false);
        if (!FileExistsA(source) || !ReadTextFile(source, text)) {
            Log(log, "cannot read " + source);
            result = kStandinErrorArchive;
            continue;
        }
        std::wstring wname = Widen(name);
        for (wchar_t& c : wname)
            if (c == L'\\') c = L'/';
        struct archive_entry* e = archive_entry_new();
        archive_entry_copy_pathname_w(e, wname.c_str());
        archive_entry_set_filetype(e, AE_IFREG);
        archive_entry_set_perm(e, 0644);
        archive_entry_set_size(e, static_cast<la_int64_t>(text.size()));
        archive_entry_set_mtime(e, std::time(nullptr), 0);
        archive_write_header(w, e);
        archive_write_data(w, text.data(), text.size());
        archive_entry_free(e);
        Log(log, "added " + name);
    }
    if (archive_write_close(w) != ARCHIVE_OK && result == 0) result = kStandinErrorWrite;
    archive_write_free(w);
    CopyLog(log, output, size);
    return result;
}
